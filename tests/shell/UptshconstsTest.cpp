#include "shell/Uptshconsts.h"
#include "platform/EPlatformError.h"
#include "shell/FormatStrPos.h"
#include "shell/PTStringTable.h"
#include "shell/TPTStringReplacements.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace
{

struct Expected {
    TResStringRec rec;
    std::uint16_t id;
    const char* name;
    const char* text;
};

// The library's string table as it is meant to be, one row per text.
const Expected kTable[] = {
    {SOpenCaption, 65524, "SOpenCaption", "Open"},
    {SSaveAsCaption, 65523, "SSaveAsCaption", "Save As"},
    {SLookIn, 65511, "SLookIn", "Look &in:"},
    {SSaveIn, 65521, "SSaveIn", "Save &in:"},
    {SFileName, 65512, "SFileName", "File &name:"},
    {SFilesOfType, 65513, "SFilesOfType", "Files of &type:"},
    {SSaveAsType, 65525, "SSaveAsType", "Save as &type:"},
    {SOpenButton, 65514, "SOpenButton", "&Open"},
    {SSaveButton, 65522, "SSaveButton", "&Save"},
    {SCancelButton, 65515, "SCancelButton", "Cancel"},
    {SHelpButton, 65516, "SHelpButton", "&Help"},
    {SOKButton, 65518, "SOKButton", "OK"},
    {SClose, 65510, "SClose", "Close"},
    {SOpenAsReadOnly, 65517, "SOpenAsReadOnly", "Open as &read-only"},
    {SUpOneLevelHint, 65508, "SUpOneLevelHint", "Up One Level"},
    {SCreateNewFolderHint, 65509, "SCreateNewFolderHint", "Create New Folder"},
    {SShowTreeHint, 65434, "SShowTreeHint", "Show Tree (F12)"},
    {SBrowseForFolder, 65433, "SBrowseForFolder", "Browse for Folder"},
    {SDialogFontName, 65410, "SDialogFontName", "MS Sans Serif"},
    {SFileExistsReplace, 65520, "SFileExistsReplace",
     "%s already exists.\nDo you want to replace it?"},
    {SDriveDoesNotExist, 65526, "SDriveDoesNotExist",
     "Drive %c: does not exist.\nPlease verify the appropriate drive was given."},
    {SCannotReadDrive, 65527, "SCannotReadDrive",
     "Windows NT is unable to read drive %c:. Make sure the drive door is closed and that the disk "
     "is formatted and free of errors."},
    {SRemovableDiskHasChanged, 65528, "SRemovableDiskHasChanged",
     "A different disk is expected in drive %c:.  Please insert the appropriate disk."},
    {SFileNotFound, 65529, "SFileNotFound",
     "%s\nFile not found.\nPlease verify the correct file name was given."},
    {SPathDoesNotExist, 65530, "SPathDoesNotExist",
     "%s\nPath does not exist.\nPlease verify the correct path was given."},
    {SFilenameIsInvalid, 65531, "SFilenameIsInvalid", "%s\nThe above file name is invalid."},
    {SFileAlreadyInUse, 65532, "SFileAlreadyInUse",
     "%s\nThis file is already in use.\nSelect a new name or close the file in use by another "
     "application."},
    {SFileCannotBeAccessed, 65533, "SFileCannotBeAccessed",
     "%s\nCannot access this file.\nCheck security privileges over the network drive."},
    {SExistsAndIsReadOnly, 65534, "SExistsAndIsReadOnly",
     "%s\nThis file exists with Read Only attributes.\nPlease use a different file name."},
    {SFilenameIsReservedDeviceName, 65535, "SFilenameIsReservedDeviceName",
     "%s\nThis file name is a reserved device name.\nPlease choose another name."},
    {SDiskIsWriteProtected, 65504, "SDiskIsWriteProtected",
     "Disk %c: is write-protected.\nA file cannot be saved on a write-protected disk."},
    {SInsufficientDiskSpace, 65505, "SInsufficientDiskSpace",
     "This directory of disk %c: is full.\nChoose another directory or disk."},
    {SDoesNotExistCreate, 65506, "SDoesNotExistCreate",
     "%s\nThis file does not exist.\n\nCreate the file?"},
    {SThereCanBeOnlyOne, 65507, "SThereCanBeOnlyOne",
     "More than one file has the name '%s'.\n\nChoose one from the list of files."},
    {SYouMustTypeFilename, 65482, "SYouMustTypeFilename", "You must type a filename."},
    {SFolderDoesNotExist, 65483, "SFolderDoesNotExist",
     "The folder '%1' does not exist.\n\nCheck the folder name and try again."},
    {SViewMenu, 65497, "SViewMenu", "&View"},
    {SViewLargeIconsMenu, 65519, "SViewLargeIconsMenu", "Lar&ge Icons"},
    {SViewSmallIconsMenu, 65488, "SViewSmallIconsMenu", "S&mall Icons"},
    {SViewListMenu, 65489, "SViewListMenu", "&List"},
    {SViewDetailsMenu, 65490, "SViewDetailsMenu", "&Details"},
    {SArrangeIconsMenu, 65498, "SArrangeIconsMenu", "Arrange &Icons"},
    {SLineUpIconsMenu, 65499, "SLineUpIconsMenu", "Lin&e up Icons"},
    {SViewContext, 65424, "SViewContext", "Contains commands for customizing this window."},
    {SViewLargeIconsContext, 65425, "SViewLargeIconsContext",
     "Displays items by using large icons."},
    {SViewSmallIconsContext, 65426, "SViewSmallIconsContext",
     "Displays items by using small icons."},
    {SViewListContext, 65427, "SViewListContext", "Displays items in a list."},
    {SViewDetailsContext, 65428, "SViewDetailsContext",
     "Displays information about each item in the window."},
    {SViewLargeIconsHint, 65429, "SViewLargeIconsHint", "Large Icons"},
    {SViewSmallIconsHint, 65430, "SViewSmallIconsHint", "Small Icons"},
    {SViewListHint, 65431, "SViewListHint", "List"},
    {SViewDetailsHint, 65432, "SViewDetailsHint", "Details"},
    {SEditCutMenu, 65491, "SEditCutMenu", "Cu&t"},
    {SEditCopyMenu, 65492, "SEditCopyMenu", "&Copy"},
    {SEditPasteMenu, 65493, "SEditPasteMenu", "&Paste"},
    {SDeleteMenu, 65494, "SDeleteMenu", "&Delete"},
    {SRenameMenu, 65495, "SRenameMenu", "Rena&me"},
    {SPropertiesMenu, 65496, "SPropertiesMenu", "P&roperties"},
    {SPasteShortcutMenu, 65500, "SPasteShortcutMenu", "&Paste"},
    {SSelectAllMenu, 65501, "SSelectAllMenu", "Select &All"},
    {SInvertSelectionMenu, 65502, "SInvertSelectionMenu", "&Invert Selection"},
    {SNewMenu, 65503, "SNewMenu", "Ne&w"},
    {SNewFolderMenu, 65472, "SNewFolderMenu", "&Folder"},
    {SNewShortcutMenu, 65473, "SNewShortcutMenu", "&Shortcut"},
    {SDeleteHint, 65443, "SDeleteHint", "Delete"},
    {SPropertiesHint, 65444, "SPropertiesHint", "Properties"},
    {SCutHint, 65445, "SCutHint", "Cut"},
    {SCopyHint, 65446, "SCopyHint", "Copy"},
    {SPasteHint, 65447, "SPasteHint", "Paste"},
    {SUndoHint, 65448, "SUndoHint", "Undo"},
    {SDeleteContext, 65449, "SDeleteContext", "Deletes the selected items."},
    {SPropertiesContext, 65450, "SPropertiesContext",
     "Displays the properties of the selected items."},
    {SCutContext, 65451, "SCutContext",
     "Removes the selected items and copies them onto the Clipboard."},
    {SCopyContext, 65452, "SCopyContext",
     "Copies the selected items to the Clipboard. Use Paste to put them in the new location."},
    {SPasteContext, 65453, "SPasteContext",
     "Inserts the items you have copied or cut into the selected location."},
    {SSendToContext, 65454, "SSendToContext",
     "Contains items that you can copy or send the selected file or folder to."},
    {SNewContext, 65455, "SNewContext", "Contains commands for creating new items."},
    {SNewPopupContext, 65487, "SNewPopupContext", "Contains commands for creating new items."},
    {SNewFolderContext, 65456, "SNewFolderContext", "Creates a new, empty folder."},
    {SNewShortcutContext, 65457, "SNewShortcutContext", "Creates a new, empty shortcut."},
    {SCreateFolderContext, 65475, "SCreateFolderContext", "Creates a new, empty folder."},
    {SCreateFolder, 65474, "SCreateFolder", "Create Folder"},
    {SNewFolder, 65484, "SNewFolder", "New Folder"},
    {SNewShortcut, 65485, "SNewShortcut", "New Shortcut"},
    {SNewDocFilePrefix, 65486, "SNewDocFilePrefix", "New "},
    {SCannotCreateFolder, 65458, "SCannotCreateFolder", "Cannot create folder %2: %1"},
    {SUnableToCreateFolder, 65459, "SUnableToCreateFolder",
     "Unable to create the folder '%2'\n\n%1"},
    {SUnableToCreateFile, 65460, "SUnableToCreateFile", "Unable to create the file '%2'\n\n%1"},
    {SColumnName, 65461, "SColumnName", "Name"},
    {SColumnInFolder, 65462, "SColumnInFolder", "In Folder"},
    {SColumnSize, 65463, "SColumnSize", "Size"},
    {SColumnType, 65464, "SColumnType", "Type"},
    {SColumnModified, 65465, "SColumnModified", "Modified"},
    {SColumnStatus, 65466, "SColumnStatus", "Status"},
    {SColumnSynchCopyIn, 65467, "SColumnSynchCopyIn", "Sync Copy In"},
    {SColumnComment, 65468, "SColumnComment", "Comment"},
    {SColumnLocation, 65469, "SColumnLocation", "Location"},
    {SColumnOriginalLocation, 65470, "SColumnOriginalLocation", "Original Location"},
    {SColumnDateDeleted, 65471, "SColumnDateDeleted", "Date Deleted"},
    {SColumnAttributes, 65440, "SColumnAttributes", "Attributes"},
    {SAttributesChars, 65441, "SAttributesChars", "RHSAC"},
    {SSystemFolder, 65442, "SSystemFolder", "System Folder"},
    {SBytes, 65476, "SBytes", "%s bytes"},
    {SFilesizeKB, 65477, "SFilesizeKB", "%sKB"},
    {SFilesizeMB, 65478, "SFilesizeMB", "%sMB"},
    {SFilesizeGB, 65479, "SFilesizeGB", "%sGB"},
    {SFilesizeTB, 65480, "SFilesizeTB", "%sTB"},
    {SFilesizeX_YBytes, 65481, "SFilesizeX_YBytes", "%1 (%2 bytes)"},
    {SShKey_SelectAll, 65435, "SShKey_SelectAll", "Ctrl+A"},
    {SShKey_Delete, 65436, "SShKey_Delete", "Del"},
    {SShKey_Copy, 65437, "SShKey_Copy", "Ctrl+C"},
    {SShKey_Cut, 65438, "SShKey_Cut", "Ctrl+X"},
    {SShKey_Paste, 65439, "SShKey_Paste", "Ctrl+V"},
    {SShKey_Refresh, 65408, "SShKey_Refresh", "F5"},
    {SShKey_Edit, 65409, "SShKey_Edit", "F2"},
};

// Every test starts and ends on the built-in texts.
class StringTableTest : public ::testing::Test
{
  protected:
    void SetUp() override { TPTStringReplacements::Uninstall(); }
    void TearDown() override { TPTStringReplacements::Uninstall(); }
};

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), bytes.size());
}

} // namespace

TEST_F(StringTableTest, EveryIdentifierLoadsItsIdAndText)
{
    std::set<std::uint16_t> ids;
    for (const Expected& e : kTable) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.rec.Id, e.id);
        EXPECT_EQ(PTLoadStr(e.rec), QString::fromUtf8(e.text));
        const TPTStringTableEntry* byName = PTFindBuiltInString(QString::fromLatin1(e.name));
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->Id, e.id);
        ids.insert(e.id);
    }
    EXPECT_EQ(ids.size(), 115u);
    EXPECT_EQ(PTBuiltInStrings().size(), 115u);
    for (std::uint16_t id = 65408; id != 0; ++id) {
        const bool inTable = id <= 65410 || id >= 65424;
        EXPECT_EQ(ids.count(id) == 1, inTable) << id;
        EXPECT_EQ(PTFindBuiltInString(id) != nullptr, inTable) << id;
    }
    EXPECT_TRUE(LoadResString(TResStringRec{65411}).isEmpty());
}

TEST_F(StringTableTest, PTLoadStrReturnsItsArgument)
{
    EXPECT_EQ(PTLoadStr(QString()), QString());
    EXPECT_EQ(PTLoadStr(QStringLiteral("a%1\nb")), QStringLiteral("a%1\nb"));
}

TEST_F(StringTableTest, FileExistsReplaceGivesTwoLines)
{
    const QString text =
        PTLoadStr(SFileExistsReplace).replace(QStringLiteral("%s"), QStringLiteral("/tmp/a b.csv"));
    EXPECT_EQ(text.split(u'\n'),
              QStringList({"/tmp/a b.csv already exists.", "Do you want to replace it?"}));
}

TEST(FormatStrPosTest, PositionalInsertsInAnyOrder)
{
    EXPECT_EQ(FormatStrPos(PTLoadStr(SCannotCreateFolder), {"Permission denied", "Reports"}),
              "Cannot create folder Reports: Permission denied");
    EXPECT_EQ(FormatStrPos(PTLoadStr(SUnableToCreateFolder), {"File exists", "New Folder"}),
              "Unable to create the folder 'New Folder'\n\nFile exists");
    EXPECT_EQ(FormatStrPos("%2%1%2", {"a", "b"}), "bab");
    EXPECT_EQ(FormatStrPos("%1 and %1", {"x"}), "x and x");
}

TEST(FormatStrPosTest, EscapesSpecsAndLimits)
{
    EXPECT_EQ(FormatStrPos("", {"a"}), "");
    EXPECT_EQ(FormatStrPos("100%% %1%nnext%tend", {"sure"}), "100% sure\nnext\tend");
    EXPECT_EQ(FormatStrPos("kept%0cut", {}), "kept");
    EXPECT_EQ(FormatStrPos("[%1!-4s!][%1!4s!][%1!.1s!]", {"ab"}), "[ab  ][  ab][a]");
    EXPECT_EQ(FormatStrPos("%1!d!", {"5"}), "") << "a spec that is not a string conversion";
    EXPECT_EQ(FormatStrPos("%1!s", {"5"}), "") << "an unclosed spec";
    // An insert with no string behind it stays visible instead of reading past the list.
    EXPECT_EQ(FormatStrPos("%1 %3 %2!s!", {"a"}), "a %3 %2!s!");
    EXPECT_EQ(FormatStrPos("%123", QStringList(12, "x")), "x3");
    EXPECT_EQ(FormatStrPos("trailing %", {}), "trailing %");

    EXPECT_NO_THROW(FormatStrPos("%50", QStringList(50, "x")));
    try {
        FormatStrPos("%1", QStringList(51, "x"));
        FAIL() << "51 strings accepted";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.message(), "FormatStrPos: Too many substitution strings");
        EXPECT_EQ(e.code(), E_FAIL);
    }
    EXPECT_EQ(FormatStrPos("", QStringList(51, "x")), "");
}

TEST_F(StringTableTest, ReplacementTableOverridesSomeTexts)
{
    // GIVEN a translation file naming texts by identifier and by id
    const QByteArray file = "\xEF\xBB\xBF# Veldmark strings\r\n"
                            "SLookIn = Suchen &in:\r\n"
                            "65524=\xC3\x96"
                            "ffnen\r\n"
                            "; quoted to keep the trailing space\n"
                            "SNewDocFilePrefix = \"Neu \"\n"
                            "SFileExistsReplace = %s existiert bereits.\\nErsetzen?\n"
                            "SCannotCreateFolder = Ordner %2 nicht angelegt: %1\n";
    TPTStringReplacements table = TPTStringReplacements::FromText(file);
    EXPECT_EQ(table.Count(), 5);

    // WHEN it is installed THEN the named texts change and the others stay built in
    TPTStringReplacements::Install(std::move(table));
    EXPECT_EQ(PTLoadStr(SLookIn), "Suchen &in:");
    EXPECT_EQ(PTLoadStr(SOpenCaption), QString::fromUtf8("\xC3\x96"
                                                         "ffnen"));
    EXPECT_EQ(PTLoadStr(SNewDocFilePrefix), "Neu ");
    EXPECT_EQ(PTLoadStr(SFileExistsReplace), "%s existiert bereits.\nErsetzen?");
    EXPECT_EQ(FormatStrPos(PTLoadStr(SCannotCreateFolder), {"E", "F"}),
              "Ordner F nicht angelegt: E");
    EXPECT_EQ(PTLoadStr(SSaveAsCaption), "Save As");

    TPTStringReplacements::Uninstall();
    EXPECT_EQ(PTLoadStr(SLookIn), "Look &in:");
}

TEST_F(StringTableTest, UnusableLinesAreSkipped)
{
    const QByteArray file = "no equals sign\n"
                            "=no key\n"
                            "SNoSuchString = x\n"
                            "65411 = not a table id\n"
                            "99999999999 = overflow\n"
                            "SOKButton =\n"
                            "SFileNotFound = %s %s not found\n"       // one %s too many
                            "SDriveDoesNotExist = Drive %s missing\n" // %c became %s
                            "SFilesizeX_YBytes = %3 bytes\n"          // no third insert
                            "SClose = Schlie\xFF\xFE"
                            "en\n" // invalid UTF-8
                            "SViewListHint = Liste\n"
                            "SViewListHint = Liste 2\n"
                            "SColumnName = Na"; // cut off mid-file
    const TPTStringReplacements table = TPTStringReplacements::FromText(file);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_TRUE(table.Find(SClose.Id).has_value());
    EXPECT_EQ(table.Find(SViewListHint.Id), "Liste 2");
    EXPECT_EQ(table.Find(SColumnName.Id), "Na");
    EXPECT_FALSE(table.Find(SFileNotFound.Id).has_value());

    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) % 256);
    EXPECT_NO_THROW(TPTStringReplacements::FromText(noise));
}

TEST_F(StringTableTest, StartUpLookupFindsTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray oldEnv = qgetenv(TPTStringReplacements::EnvironmentVariable);
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv(TPTStringReplacements::EnvironmentVariable, oldEnv);
        qputenv("XDG_DATA_HOME", oldData);
    });

    // In the user's data home
    qunsetenv(TPTStringReplacements::EnvironmentVariable);
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    ASSERT_TRUE(QDir(dir.path()).mkpath("veldmark"));
    const QString dataFile = dir.filePath("veldmark/veldmark-strings.txt");
    writeFile(dataFile, "SColumnSize = Gr\xC3\xB6\xC3\x9F"
                        "e\n");
    EXPECT_EQ(TPTStringReplacements::InstallFromStandardLocations(), dataFile);
    EXPECT_EQ(PTLoadStr(SColumnSize), QString::fromUtf8("Gr\xC3\xB6\xC3\x9F"
                                                        "e"));

    // The environment variable comes first
    const QString envFile = dir.filePath("mine.txt");
    writeFile(envFile, "SColumnSize = Taille\n");
    qputenv(TPTStringReplacements::EnvironmentVariable, envFile.toUtf8());
    EXPECT_EQ(TPTStringReplacements::CandidatePaths().value(0), envFile);
    EXPECT_EQ(TPTStringReplacements::InstallFromStandardLocations(), envFile);
    EXPECT_EQ(PTLoadStr(SColumnSize), "Taille");

    // No file anywhere: the built-in texts
    qputenv(TPTStringReplacements::EnvironmentVariable, dir.filePath("missing.txt").toUtf8());
    QFile::remove(dataFile);
    EXPECT_EQ(TPTStringReplacements::InstallFromStandardLocations(), "");
    EXPECT_EQ(PTLoadStr(SColumnSize), "Size");
}
