#include "dialogs/filename/TPTFileNameConfirmation.h"
#include "dialogs/filename/TPosixPathSyntax.h"
#include "dialogs/filename/TWindowsPathSyntax.h"

#include "FileNameFormDouble.h"
#include "shell/NamespaceFixture.h"

#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/Uptshconsts.h"
#include "shell/utils/ShellLinks.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kOk = 1;
constexpr int kCancel = 2;

// The message's text as the string table gives it, with "%s" filled.
QString Message(TResStringRec rec, const QString& argument)
{
    return PTLoadStr(rec).replace(u"%s"_s, argument);
}

class FileNameConfirmationTest : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        form.ShowFolder(path(work()));
        form.options = kDefaultSaveDlgOptions;
    }

    static QString path(const QByteArray& bytes) { return FileNameToString(bytes); }
    QString inWork(const QByteArray& name) const { return path(work() + '/' + name); }

    // Types the text and presses OK; whether the form may close.
    bool pressOk(const QString& text)
    {
        form.fileNameText = text;
        confirmation.LastInputSource = lisEdit;
        bool canClose = true;
        confirmation.FormCloseQuery(kOk, canClose);
        return canClose;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const TPTMessageBoxRequest& m : form.messages)
            texts << m.text;
        return texts;
    }

    FileNameFormDouble form;
    TPosixPathSyntax syntax;
    TPTFileNameConfirmation confirmation{form, syntax};
};

// Keeps the process's current directory for the test.
class CurrentDirectoryGuard
{
  public:
    CurrentDirectoryGuard() : m_saved(QDir::currentPath()) {}
    ~CurrentDirectoryGuard() { QDir::setCurrent(m_saved); }

  private:
    QString m_saved;
};

} // namespace

TEST_F(FileNameConfirmationTest, SaveAsksBeforeReplacingAnExistingFile)
{
    makeFile(work() + "/old.csv", "keep");
    ASSERT_TRUE(kDefaultSaveDlgOptions.Contains(ptofOverwritePrompt));
    ASSERT_FALSE(kDefaultOpenDlgOptions.Contains(ptofOverwritePrompt));

    // GIVEN the Save dialog's defaults WHEN an existing name is confirmed and
    // the answer is No THEN the dialog stays open with nothing selected.
    form.answers = {ptmbNo};
    EXPECT_FALSE(confirmation.ParseInputString(u"old.csv"_s));
    EXPECT_TRUE(confirmation.SelectedFiles.isEmpty());
    ASSERT_EQ(form.messages.size(), 1);
    EXPECT_EQ(form.messages[0].text, Message(SFileExistsReplace, inWork("old.csv")));
    EXPECT_EQ(form.messages[0].icon, TPTMsgIcon::Warning);
    EXPECT_EQ(form.messages[0].buttons, ptmbYes | ptmbNo);
    EXPECT_EQ(form.messages[0].defaultButton, ptmbNo);

    form.answers = {ptmbYes};
    EXPECT_TRUE(confirmation.ParseInputString(u"old.csv"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("old.csv")});

    // Without the option an existing file is taken without a question.
    form.messages.clear();
    form.options = kDefaultOpenDlgOptions;
    EXPECT_TRUE(confirmation.ParseInputString(u"old.csv"_s));
    EXPECT_TRUE(form.messages.isEmpty());
}

TEST_F(FileNameConfirmationTest, FileChecksShowTheirMessages)
{
    makeFile(work() + "/locked.csv");
    ASSERT_EQ(::chmod((work() + "/locked.csv").constData(), 0444), 0);

    form.options = TPTOpenOptions{ptofNoReadOnlyReturn, ptofOverwritePrompt};
    EXPECT_FALSE(confirmation.ParseInputString(u"locked.csv"_s));
    // A missing file in a missing folder.
    form.options = TPTOpenOptions{ptofFileMustExist};
    EXPECT_FALSE(confirmation.ParseInputString(u"nosuch/x.csv"_s));
    form.options = TPTOpenOptions{ptofCreatePrompt};
    form.answers = {ptmbNo, ptmbYes};
    EXPECT_FALSE(confirmation.ParseInputString(u"new.csv"_s));
    EXPECT_TRUE(confirmation.ParseInputString(u"new.csv"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("new.csv")});

    EXPECT_EQ(messageTexts(), (QStringList{Message(SExistsAndIsReadOnly, inWork("locked.csv")),
                                           Message(SFileNotFound, inWork("nosuch/x.csv")),
                                           Message(SDoesNotExistCreate, u"new.csv"_s),
                                           Message(SDoesNotExistCreate, u"new.csv"_s)}));
    EXPECT_EQ(form.messages[2].icon, TPTMsgIcon::Question);
    EXPECT_EQ(form.messages[2].buttons, ptmbYes | ptmbNo);
    EXPECT_EQ(form.messages[0].buttons, ptmbOk);
}

TEST_F(FileNameConfirmationTest, InvalidTextIsRefusedUnlessValidationIsOff)
{
    const TWindowsPathSyntax windows;
    TPTFileNameConfirmation windowsConfirmation(form, windows);
    form.ShowItems(uR"(C:\F)"_s, {});
    form.options = TPTOpenOptions();
    EXPECT_FALSE(windowsConfirmation.ParseInputString(u"a|b.csv"_s));
    EXPECT_EQ(messageTexts(), QStringList{Message(SFilenameIsInvalid, u"a|b.csv"_s)});
    form.options = TPTOpenOptions{ptofNoValidate};
    EXPECT_TRUE(windowsConfirmation.ParseInputString(u"a|b.csv"_s));
    EXPECT_TRUE(windowsConfirmation.ParseInputString(uR"(\\srv\share\x.csv)"_s));
    form.options = TPTOpenOptions();
    EXPECT_FALSE(windowsConfirmation.ParseInputString(uR"(\\srv\share\\x.csv)"_s));

    // A NUL would cut the name short and name another file: refused even
    // without validation.
    form.ShowFolder(path(work()));
    form.messages.clear();
    form.options = TPTOpenOptions{ptofNoValidate};
    const QString withNul = u"a"_s + QChar(0) + u".csv"_s;
    EXPECT_FALSE(confirmation.ParseInputString(withNul));
    EXPECT_EQ(form.messages.size(), 1);
}

TEST_F(FileNameConfirmationTest, NamesTooLongForTheFileSystemAreRefusedNotCut)
{
    const QString tooLongText = ResultCodeText(HResultFromWin32(ERROR_FILENAME_EXCED_RANGE));
    // 252 bytes fit, but not with ".csv" appended.
    form.defaultExt = u"csv"_s;
    const QString name = QString(252, u'n');
    EXPECT_FALSE(confirmation.ParseInputString(name));
    ASSERT_EQ(form.messages.size(), 1);
    EXPECT_TRUE(form.messages[0].text.startsWith(
        Message(SFilenameIsInvalid, inWork(name.toUtf8() + ".csv"))));
    EXPECT_TRUE(form.messages[0].text.endsWith(tooLongText));
    EXPECT_TRUE(confirmation.SelectedFiles.isEmpty());

    form.messages.clear();
    EXPECT_FALSE(confirmation.ParseInputString(u"sub/"_s + QString(256, u'n')));
    ASSERT_EQ(form.messages.size(), 1);
    EXPECT_TRUE(form.messages[0].text.endsWith(tooLongText));
}

TEST_F(FileNameConfirmationTest, QuotedListGivesFullPathsInOrder)
{
    makeDir(work() + "/sub");
    form.ShowFolder(path(work() + "/sub"));
    form.defaultExt = u"csv"_s; // applies to single names only
    EXPECT_TRUE(confirmation.ParseInputString(uR"("b 2.csv" "../a.csv" "/tmp/../c")"_s));
    EXPECT_EQ(confirmation.SelectedFiles,
              (QStringList{inWork("sub/b 2.csv"), inWork("a.csv"), u"/c"_s}));

    // A list of each Windows kind of name.
    const TWindowsPathSyntax windows;
    TPTFileNameConfirmation windowsConfirmation(form, windows);
    form.ShowItems(uR"(C:\F\G)"_s, {});
    EXPECT_TRUE(
        windowsConfirmation.ParseInputString(uR"("a.csv" "..\b.csv" "\c.csv" "D:d.csv")"_s));
    EXPECT_EQ(
        windowsConfirmation.SelectedFiles,
        (QStringList{uR"(C:\F\G\a.csv)"_s, uR"(C:\F\b.csv)"_s, uR"(C:\c.csv)"_s, u"D:d.csv"_s}));
}

TEST_F(FileNameConfirmationTest, ATypedFolderIsOpenedInsteadOfClosing)
{
    makeDir(work() + "/sub");
    EXPECT_FALSE(pressOk(u"sub"_s));
    EXPECT_EQ(form.openedFolders, QStringList{inWork("sub")});
    EXPECT_EQ(form.shownFolder, inWork("sub"));
    EXPECT_EQ(form.selectAllCount, 1);
    EXPECT_TRUE(form.messages.isEmpty());

    // "~" is the home folder; "~/x" a name in it.
    EXPECT_FALSE(pressOk(u"~"_s));
    EXPECT_EQ(form.shownFolder, path(home()));
    EXPECT_TRUE(pressOk(u"~/x.csv"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{path(home() + "/x.csv")});

    // A folder named like the name with its default extension is opened too,
    // never returned as a file.
    makeDir(home() + "/dir.csv");
    form.defaultExt = u"csv"_s;
    EXPECT_FALSE(pressOk(u"dir"_s));
    EXPECT_EQ(form.shownFolder, path(home() + "/dir.csv"));
}

TEST_F(FileNameConfirmationTest, AnEmptyBoxDoesNothing)
{
    EXPECT_FALSE(pressOk(QString()));
    EXPECT_FALSE(pressOk(uR"("" "")"_s));
    EXPECT_TRUE(form.messages.isEmpty());
    EXPECT_TRUE(form.openedFolders.isEmpty());
}

TEST_F(FileNameConfirmationTest, AWildcardFiltersTheListOfTheFolderItWasTypedIn)
{
    makeDir(work() + "/sub");
    EXPECT_FALSE(pressOk(u"sub/*.csv"_s));
    EXPECT_EQ(form.shownFolder, inWork("sub"));
    EXPECT_EQ(form.userFilter, u"*.csv");
    EXPECT_EQ(form.fileNameText, u"*.csv");
    EXPECT_GE(form.selectAllCount, 1);
    EXPECT_TRUE(confirmation.SelectedFiles.isEmpty());
    EXPECT_TRUE(form.messages.isEmpty());

    // A folder part that names no folder filters the shown folder, with no
    // question about a file of that name.
    form.ShowFolder(path(work()));
    form.defaultExt = u"csv"_s;
    EXPECT_FALSE(pressOk(u"sub2/*.csv"_s));
    makeFile(work() + "/sub2.csv");
    EXPECT_FALSE(pressOk(u"sub2/*.csv"_s));
    EXPECT_TRUE(form.messages.isEmpty());
    EXPECT_TRUE(confirmation.SelectedFiles.isEmpty());

    form.ShowFolder(path(work() + "/sub"));
    EXPECT_FALSE(pressOk(u"data??.txt"_s));
    EXPECT_EQ(form.shownFolder, inWork("sub"));
    EXPECT_EQ(form.userFilter, u"data??.txt");

    const TWindowsPathSyntax windows;
    TPTFileNameConfirmation windowsConfirmation(form, windows);
    form.fileNameText = uR"(C:\x\*.log)"_s;
    bool canClose = true;
    windowsConfirmation.FormCloseQuery(kOk, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(form.userFilter, u"*.log");
}

TEST_F(FileNameConfirmationTest, ATypedNameIsMatchedAgainstTheListedCaptions)
{
    // Two names that are not UTF-8 show the same caption.
    makeFile(work() + "/a\xff.csv");
    makeFile(work() + "/a\xfe.csv");
    makeFile(work() + "/b\xff.csv");
    form.ShowFolder(path(work()));
    form.options = TPTOpenOptions{ptofFileMustExist};

    // GIVEN the caption of one such file typed THEN that very file is returned.
    const QString bCaption = FileNameForDisplay(QByteArray("b\xff.csv"));
    EXPECT_TRUE(confirmation.ParseInputString(bCaption));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("b\xff.csv")});
    EXPECT_EQ(FileNameFromString(confirmation.SelectedFiles[0]), work() + "/b\xff.csv");

    // GIVEN a caption two items share THEN the user is asked to pick one.
    const QString aCaption = FileNameForDisplay(QByteArray("a\xff.csv"));
    EXPECT_FALSE(confirmation.ParseInputString(aCaption));
    EXPECT_EQ(messageTexts(), QStringList{Message(SThereCanBeOnlyOne, aCaption)});
    const int first = form.IndexOfCaption(aCaption);
    EXPECT_EQ(form.selected, first);
    EXPECT_EQ(form.focused, first);

    // Picked in the list, the selected item's own path is taken.
    form.selected = form.IndexOfCaption(bCaption) - 1; // the second "a?" item
    form.fileNameText = aCaption;
    confirmation.LastInputSource = lisList;
    bool canClose = true;
    confirmation.FormCloseQuery(kOk, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{form.items[form.selected].path});
}

TEST_F(FileNameConfirmationTest, CaptionsMatchOnlyInTheFolderTheNameIsIn)
{
    makeFile(work() + "/x.csv", "other file");
    makeFile(work() + "/Y.csv");
    form.ShowFolder(path(work()));
    form.options = TPTOpenOptions();
    // The folder does not exist, so the list keeps showing work: its x.csv is
    // another file and must not replace the typed one.
    EXPECT_TRUE(confirmation.ParseInputString(u"nosuch/x.csv"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("nosuch/x.csv")});
    EXPECT_EQ(form.shownFolder, path(work()));
    // Names differing in case are different files here.
    EXPECT_TRUE(confirmation.ParseInputString(u"y.csv"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("y.csv")});

    // A name in another existing folder opens that folder.
    makeDir(work() + "/sub");
    form.ShowFolder(path(work() + "/sub"));
    EXPECT_TRUE(confirmation.ParseInputString(u"../x.csv"_s));
    EXPECT_EQ(form.shownFolder, path(work()));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("x.csv")});
}

TEST_F(FileNameConfirmationTest, DefaultExtensionOfASingleTypedName)
{
    form.defaultExt = u"csv"_s;
    form.fileTypePattern = u"*.txt"_s;
    EXPECT_TRUE(confirmation.ParseInputString(u"data"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("data.txt")});
    EXPECT_TRUE(form.options.Contains(ptofExtensionDifferent));

    form.fileTypePattern = u"*.csv"_s;
    EXPECT_TRUE(confirmation.ParseInputString(u"data"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("data.csv")});
    EXPECT_FALSE(form.options.Contains(ptofExtensionDifferent));
}

TEST_F(FileNameConfirmationTest, ShortcutsLeadToTheirTargets)
{
    makeFile(work() + "/target.csv");
    makeDir(work() + "/folder");
    ASSERT_EQ(CreateQuickShortcut(inWork("file.desktop"), inWork("target.csv")), S_OK);
    ASSERT_EQ(CreateQuickShortcut(inWork("folder.desktop"), inWork("folder")), S_OK);
    form.ShowFolder(path(work()));
    form.options = TPTOpenOptions{ptofFileMustExist};

    EXPECT_TRUE(confirmation.ParseInputString(u"file.desktop"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("target.csv")});

    form.options.Include(ptofNoDereferenceLinks);
    EXPECT_TRUE(confirmation.ParseInputString(u"file.desktop"_s));
    EXPECT_EQ(confirmation.SelectedFiles, QStringList{inWork("file.desktop")});

    // A link to a folder opens the folder.
    form.options.Exclude(ptofNoDereferenceLinks);
    EXPECT_FALSE(confirmation.ParseInputString(u"folder.desktop"_s));
    EXPECT_EQ(form.shownFolder, inWork("folder"));
}

TEST_F(FileNameConfirmationTest, ClosingMakesTheShownFolderCurrentUnlessNoChangeDir)
{
    CurrentDirectoryGuard guard;
    makeDir(work() + "/sub");
    form.ShowFolder(path(work() + "/sub"));
    QDir::setCurrent(path(home()));

    form.options = TPTOpenOptions{ptofNoChangeDir};
    EXPECT_TRUE(pressOk(u"a.csv"_s));
    EXPECT_EQ(QDir::currentPath(), path(home()));

    form.options = TPTOpenOptions();
    EXPECT_TRUE(pressOk(u"a.csv"_s));
    EXPECT_EQ(QDir::currentPath(), inWork("sub"));

    // Cancel too; a form kept open does not.
    QDir::setCurrent(path(home()));
    bool canClose = true;
    confirmation.FormCloseQuery(kCancel, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_EQ(QDir::currentPath(), inWork("sub"));
    QDir::setCurrent(path(home()));
    EXPECT_FALSE(pressOk(u"*.csv"_s));
    EXPECT_EQ(QDir::currentPath(), path(home()));
}
