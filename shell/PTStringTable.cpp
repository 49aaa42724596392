#include "shell/PTStringTable.h"

#include <QString>

#include <algorithm>
#include <array>

namespace
{

// Ids 65408-65410 and 65424-65535; sorted by id for the binary search below.
constexpr std::array kBuiltIn = std::to_array<TPTStringTableEntry>({
    {65408, "SShKey_Refresh", "F5"},
    {65409, "SShKey_Edit", "F2"},
    {65410, "SDialogFontName", "MS Sans Serif"},
    {65424, "SViewContext", "Contains commands for customizing this window."},
    {65425, "SViewLargeIconsContext", "Displays items by using large icons."},
    {65426, "SViewSmallIconsContext", "Displays items by using small icons."},
    {65427, "SViewListContext", "Displays items in a list."},
    {65428, "SViewDetailsContext", "Displays information about each item in the window."},
    {65429, "SViewLargeIconsHint", "Large Icons"},
    {65430, "SViewSmallIconsHint", "Small Icons"},
    {65431, "SViewListHint", "List"},
    {65432, "SViewDetailsHint", "Details"},
    {65433, "SBrowseForFolder", "Browse for Folder"},
    {65434, "SShowTreeHint", "Show Tree (F12)"},
    {65435, "SShKey_SelectAll", "Ctrl+A"},
    {65436, "SShKey_Delete", "Del"},
    {65437, "SShKey_Copy", "Ctrl+C"},
    {65438, "SShKey_Cut", "Ctrl+X"},
    {65439, "SShKey_Paste", "Ctrl+V"},
    {65440, "SColumnAttributes", "Attributes"},
    {65441, "SAttributesChars", "RHSAC"},
    {65442, "SSystemFolder", "System Folder"},
    {65443, "SDeleteHint", "Delete"},
    {65444, "SPropertiesHint", "Properties"},
    {65445, "SCutHint", "Cut"},
    {65446, "SCopyHint", "Copy"},
    {65447, "SPasteHint", "Paste"},
    {65448, "SUndoHint", "Undo"},
    {65449, "SDeleteContext", "Deletes the selected items."},
    {65450, "SPropertiesContext", "Displays the properties of the selected items."},
    {65451, "SCutContext", "Removes the selected items and copies them onto the Clipboard."},
    {65452, "SCopyContext",
     "Copies the selected items to the Clipboard. Use Paste to put them in the new location."},
    {65453, "SPasteContext",
     "Inserts the items you have copied or cut into the selected location."},
    {65454, "SSendToContext",
     "Contains items that you can copy or send the selected file or folder to."},
    {65455, "SNewContext", "Contains commands for creating new items."},
    {65456, "SNewFolderContext", "Creates a new, empty folder."},
    {65457, "SNewShortcutContext", "Creates a new, empty shortcut."},
    {65458, "SCannotCreateFolder", "Cannot create folder %2: %1"},
    {65459, "SUnableToCreateFolder", "Unable to create the folder '%2'\n\n%1"},
    {65460, "SUnableToCreateFile", "Unable to create the file '%2'\n\n%1"},
    {65461, "SColumnName", "Name"},
    {65462, "SColumnInFolder", "In Folder"},
    {65463, "SColumnSize", "Size"},
    {65464, "SColumnType", "Type"},
    {65465, "SColumnModified", "Modified"},
    {65466, "SColumnStatus", "Status"},
    {65467, "SColumnSynchCopyIn", "Sync Copy In"},
    {65468, "SColumnComment", "Comment"},
    {65469, "SColumnLocation", "Location"},
    {65470, "SColumnOriginalLocation", "Original Location"},
    {65471, "SColumnDateDeleted", "Date Deleted"},
    {65472, "SNewFolderMenu", "&Folder"},
    {65473, "SNewShortcutMenu", "&Shortcut"},
    {65474, "SCreateFolder", "Create Folder"},
    {65475, "SCreateFolderContext", "Creates a new, empty folder."},
    {65476, "SBytes", "%s bytes"},
    {65477, "SFilesizeKB", "%sKB"},
    {65478, "SFilesizeMB", "%sMB"},
    {65479, "SFilesizeGB", "%sGB"},
    {65480, "SFilesizeTB", "%sTB"},
    {65481, "SFilesizeX_YBytes", "%1 (%2 bytes)"},
    {65482, "SYouMustTypeFilename", "You must type a filename."},
    {65483, "SFolderDoesNotExist",
     "The folder '%1' does not exist.\n\nCheck the folder name and try again."},
    {65484, "SNewFolder", "New Folder"},
    {65485, "SNewShortcut", "New Shortcut"},
    {65486, "SNewDocFilePrefix", "New "},
    {65487, "SNewPopupContext", "Contains commands for creating new items."},
    {65488, "SViewSmallIconsMenu", "S&mall Icons"},
    {65489, "SViewListMenu", "&List"},
    {65490, "SViewDetailsMenu", "&Details"},
    {65491, "SEditCutMenu", "Cu&t"},
    {65492, "SEditCopyMenu", "&Copy"},
    {65493, "SEditPasteMenu", "&Paste"},
    {65494, "SDeleteMenu", "&Delete"},
    {65495, "SRenameMenu", "Rena&me"},
    {65496, "SPropertiesMenu", "P&roperties"},
    {65497, "SViewMenu", "&View"},
    {65498, "SArrangeIconsMenu", "Arrange &Icons"},
    {65499, "SLineUpIconsMenu", "Lin&e up Icons"},
    {65500, "SPasteShortcutMenu", "&Paste"},
    {65501, "SSelectAllMenu", "Select &All"},
    {65502, "SInvertSelectionMenu", "&Invert Selection"},
    {65503, "SNewMenu", "Ne&w"},
    {65504, "SDiskIsWriteProtected",
     "Disk %c: is write-protected.\nA file cannot be saved on a write-protected disk."},
    {65505, "SInsufficientDiskSpace",
     "This directory of disk %c: is full.\nChoose another directory or disk."},
    {65506, "SDoesNotExistCreate", "%s\nThis file does not exist.\n\nCreate the file?"},
    {65507, "SThereCanBeOnlyOne",
     "More than one file has the name '%s'.\n\nChoose one from the list of files."},
    {65508, "SUpOneLevelHint", "Up One Level"},
    {65509, "SCreateNewFolderHint", "Create New Folder"},
    {65510, "SClose", "Close"},
    {65511, "SLookIn", "Look &in:"},
    {65512, "SFileName", "File &name:"},
    {65513, "SFilesOfType", "Files of &type:"},
    {65514, "SOpenButton", "&Open"},
    {65515, "SCancelButton", "Cancel"},
    {65516, "SHelpButton", "&Help"},
    {65517, "SOpenAsReadOnly", "Open as &read-only"},
    {65518, "SOKButton", "OK"},
    {65519, "SViewLargeIconsMenu", "Lar&ge Icons"},
    {65520, "SFileExistsReplace", "%s already exists.\nDo you want to replace it?"},
    {65521, "SSaveIn", "Save &in:"},
    {65522, "SSaveButton", "&Save"},
    {65523, "SSaveAsCaption", "Save As"},
    {65524, "SOpenCaption", "Open"},
    {65525, "SSaveAsType", "Save as &type:"},
    {65526, "SDriveDoesNotExist",
     "Drive %c: does not exist.\nPlease verify the appropriate drive was given."},
    {65527, "SCannotReadDrive",
     "Windows NT is unable to read drive %c:. Make sure the drive door is closed and that the disk "
     "is formatted and free of errors."},
    {65528, "SRemovableDiskHasChanged",
     "A different disk is expected in drive %c:.  Please insert the appropriate disk."},
    {65529, "SFileNotFound", "%s\nFile not found.\nPlease verify the correct file name was given."},
    {65530, "SPathDoesNotExist",
     "%s\nPath does not exist.\nPlease verify the correct path was given."},
    {65531, "SFilenameIsInvalid", "%s\nThe above file name is invalid."},
    {65532, "SFileAlreadyInUse",
     "%s\nThis file is already in use.\nSelect a new name or close the file in use by another "
     "application."},
    {65533, "SFileCannotBeAccessed",
     "%s\nCannot access this file.\nCheck security privileges over the network drive."},
    {65534, "SExistsAndIsReadOnly",
     "%s\nThis file exists with Read Only attributes.\nPlease use a different file name."},
    {65535, "SFilenameIsReservedDeviceName",
     "%s\nThis file name is a reserved device name.\nPlease choose another name."},
});

static_assert(kBuiltIn.size() == 115);
static_assert(std::ranges::is_sorted(kBuiltIn, std::ranges::less{}, &TPTStringTableEntry::Id));
static_assert(std::ranges::adjacent_find(kBuiltIn, std::ranges::equal_to{},
                                         &TPTStringTableEntry::Id) == kBuiltIn.end());

} // namespace

std::span<const TPTStringTableEntry> PTBuiltInStrings()
{
    return kBuiltIn;
}

const TPTStringTableEntry* PTFindBuiltInString(std::uint16_t id)
{
    const auto it =
        std::ranges::lower_bound(kBuiltIn, id, std::ranges::less{}, &TPTStringTableEntry::Id);
    return it != kBuiltIn.end() && it->Id == id ? &*it : nullptr;
}

const TPTStringTableEntry* PTFindBuiltInString(QStringView name)
{
    const auto it = std::ranges::find_if(kBuiltIn, [name](const TPTStringTableEntry& e) {
        return name == QLatin1StringView(e.Name);
    });
    return it != kBuiltIn.end() ? &*it : nullptr;
}
