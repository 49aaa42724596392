#include "dialogs/components/TPTOpenDlg.h"
#include "dialogs/components/TPTSaveDlg.h"

#include "FrmOpenDlgDouble.h"
#include "app/QtPrinters.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kOk = 1;
constexpr int kCancel = 2;

// Message boxes are recorded and answered with OK, never shown.
class RecordedMessages
{
  public:
    RecordedMessages()
    {
        m_previous = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& r) {
            texts << r.text;
            return ptmbOk;
        });
    }
    ~RecordedMessages() { SetPTMessageBoxHandler(m_previous); }
    QStringList texts;

  private:
    TPTMessageBoxHandler m_previous;
};

// A Save dialog on a window, as the main window holds it.
class DialogComponentsTest : public ::testing::Test
{
  protected:
    DialogComponentsTest() { dlg.SetFormFactory(FrmOpenDlgDouble::Factory(script)); }

    // The calls from the first one with this name on.
    QStringList callsFrom(const QString& name) const
    {
        const auto at = std::find_if(script.calls.begin(), script.calls.end(),
                                     [&](const QString& c) { return c.startsWith(name); });
        return script.calls.mid(at - script.calls.begin());
    }

    QWidget owner;
    TPTSaveDlg dlg{&owner};
    FormScript script;
};

TEST_F(DialogComponentsTest, NewComponentsStartWithTheirDefaults)
{
    TPTOpenDlg open;
    for (const TPTFileDlg* d :
         {static_cast<const TPTFileDlg*>(&dlg), static_cast<const TPTFileDlg*>(&open)}) {
        EXPECT_EQ(d->GetFilterIndex(), 1);
        EXPECT_EQ(d->FormWidth, -1);
        EXPECT_EQ(d->FormHeight, -1);
        EXPECT_EQ(d->FormSplitterPos(), -1);
        EXPECT_EQ(d->FormWindowState, wsNormal);
        EXPECT_TRUE(d->Files().isEmpty());
        EXPECT_TRUE(d->GetFilename().isEmpty());
        EXPECT_FALSE(d->Executing());
        EXPECT_EQ(d->Form(), nullptr);
    }
    EXPECT_EQ(open.Options().Value(), 0x003A8010u);
    // A Save dialog also asks before it replaces a file.
    EXPECT_EQ(dlg.Options().Value(), 0x003A8410u);
}

TEST_F(DialogComponentsTest, SetFilenameMakesTheOneFileAndKeepsNamesThatAreNotUtf8)
{
    dlg.SetFilename(u"1 10 1 4 0 30 1000 971 H.csv"_s);
    EXPECT_EQ(dlg.GetFilename(), u"1 10 1 4 0 30 1000 971 H.csv"_s);
    EXPECT_EQ(dlg.Files(), QStringList{u"1 10 1 4 0 30 1000 971 H.csv"_s});

    const QByteArray latin1Name("/tmp/caf\xe9.csv");
    dlg.SetFilename(FileNameToString(latin1Name));
    EXPECT_EQ(dlg.Files().size(), 1);
    EXPECT_EQ(FileNameFromString(dlg.GetFilename()), latin1Name);
}

TEST_F(DialogComponentsTest, ExecuteConfiguresTheFormInOrderShowsItAndFreesIt)
{
    dlg.SetFilename(u"1 10 1 4 0 30 1000 971 H.csv"_s);
    dlg.OnFormShow = [](QObject*) {};
    dlg.SetFilter(u"CSV files (*.csv)|*.csv|All files (*)|*"_s);
    dlg.DefaultExt = u"csv"_s;
    dlg.FormWidth = 0; // keeps the designed width
    dlg.FormHeight = 300;
    QObject* initializedSender = nullptr;
    dlg.OnInitialized = [&](QObject* sender) {
        initializedSender = sender;
        EXPECT_NE(dlg.Form(), nullptr); // the form exists, not yet shown
        EXPECT_TRUE(script.calls.endsWith(u"SetOpenBtnCaption &Save"_s));
    };
    script.modalResult = kCancel;

    EXPECT_FALSE(dlg.Execute());

    const QStringList expected{
        u"SetOnAddListItem -"_s,
        u"SetOnAddTreeItem -"_s,
        u"SetOnAddComboItem -"_s,
        u"SetOnLvCustomDrawSh -"_s,
        u"SetOnLvCustomDrawShEx -"_s,
        u"SetOnTvCustomDrawSh -"_s,
        u"SetOnTvCustomDrawShEx -"_s,
        u"SetOnFormClose -"_s,
        u"SetOnFormShow set"_s,
        u"SetOnTypeChanged -"_s,
        u"SetOnFolderChanged -"_s,
        u"SetOnSelectionChanged -"_s,
        u"SetInitialDir "_s,
        u"SetFilename 1 10 1 4 0 30 1000 971 H.csv"_s,
        u"SetDefaultExt csv"_s,
        u"SetOptions 0x003a8410"_s,
        u"SetFormHeight 300"_s,
        u"SetFormWindowState 0"_s,
        u"SetFilter CSV files (*.csv)|*.csv|All files (*)|*"_s,
        u"SetFilterIndex 1"_s,
        u"SetFormSplitterPos -1"_s,
        u"SetLookInTxtCaption Look &in:"_s,
        u"SetFilesOfTypeTxtCaption Files of &type:"_s,
        u"SetHelpContext 0"_s,
        u"SetOnHelp -"_s,
        u"SetCaption Save As"_s,
        u"SetOpenBtnCaption &Save"_s,
        u"ShowModal"_s,
        // Read back after Cancel as after OK; the setters reach the closed form.
        u"SetOptions 0x003a8410"_s,
        u"GetFiles"_s,
        u"SetFilterIndex 1"_s,
        u"SetFormSplitterPos -1"_s,
    };
    EXPECT_EQ(script.calls, expected);
    EXPECT_EQ(initializedSender, &dlg);
    EXPECT_EQ(script.parent, &owner);
    EXPECT_EQ(script.made, 1);
    EXPECT_EQ(script.deleted, 1);
    EXPECT_EQ(dlg.Form(), nullptr);
    EXPECT_FALSE(dlg.Executing());
    // The hourglass while the form is made, none while the user works in it.
    EXPECT_EQ(script.cursorWhenMade, int(Qt::WaitCursor));
    EXPECT_EQ(script.cursorWhenShown, -1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DialogComponentsTest, OpenDialogUsesItsCaptionsAndTheTitle)
{
    TPTOpenDlg open;
    open.SetFormFactory(FrmOpenDlgDouble::Factory(script));
    open.Execute();
    EXPECT_TRUE(script.calls.contains(u"SetCaption Open"_s));
    EXPECT_TRUE(script.calls.contains(u"SetOpenBtnCaption &Open"_s));
    EXPECT_EQ(script.parent, nullptr); // no owner window

    script.calls.clear();
    dlg.Title = u"Export curve"_s;
    dlg.Execute();
    EXPECT_TRUE(script.calls.contains(u"SetCaption Export curve"_s));
    EXPECT_TRUE(script.calls.contains(u"SetOpenBtnCaption &Save"_s));
}

TEST_F(DialogComponentsTest, ConfirmedExecuteKeepsEveryAcceptedPath)
{
    const QString odd = FileNameToString(QByteArray("/data/r\xe9sultat.csv"));
    script.files = {u"/data/b.csv"_s, u"/data/a.csv"_s, odd};
    dlg.SetFilename(u"ignored.csv"_s);

    EXPECT_TRUE(dlg.Execute());

    EXPECT_EQ(dlg.Files(), script.files);
    EXPECT_EQ(dlg.GetFilename(), u"/data/b.csv"_s);
    EXPECT_EQ(FileNameFromString(dlg.Files().at(2)), QByteArray("/data/r\xe9sultat.csv"));
}

TEST_F(DialogComponentsTest, CancelStillKeepsWhatTheUserChangedForTheNextExecute)
{
    dlg.SetFilter(u"CSV|*.csv|Text|*.txt"_s);
    script.modalResult = kCancel;
    script.whileShown = [](FrmOpenDlgDouble& form) {
        // The user opens the tree, widens it, picks the second type and
        // maximizes a form that was 600 by 400 before.
        form.options.Include(ptofShowTree);
        form.splitterPos = 230;
        form.filterIndex = 2;
        form.restoredSize = QSize(600, 400);
        form.windowState = wsMaximized;
    };

    EXPECT_FALSE(dlg.Execute());

    EXPECT_EQ(dlg.FormWidth, 600);
    EXPECT_EQ(dlg.FormHeight, 400);
    EXPECT_EQ(dlg.FormWindowState, wsMaximized);
    EXPECT_TRUE(dlg.Options().Contains(ptofShowTree));
    EXPECT_EQ(dlg.FormSplitterPos(), 230);
    EXPECT_EQ(dlg.GetFilterIndex(), 2);
    EXPECT_TRUE(dlg.Files().isEmpty());

    script = FormScript{};
    script.modalResult = kCancel;
    dlg.Execute();
    for (const QString& call :
         {u"SetFormWidth 600"_s, u"SetFormHeight 400"_s, u"SetFormWindowState 2"_s,
          u"SetOptions 0x003b8410"_s, u"SetFilterIndex 2"_s, u"SetFormSplitterPos 230"_s})
        EXPECT_TRUE(script.calls.contains(call)) << call.toStdString();
}

TEST_F(DialogComponentsTest, SettersReachTheFormOnlyWhileItExists)
{
    const TPTShAddItemEvent keepAll = [](QObject*, IShellFolder*, PCItemIDList, PCItemIDList,
                                         std::uint32_t, bool&) {};
    script.files = {u"/data/chosen.csv"_s};
    script.whileShown = [&](FrmOpenDlgDouble& form) {
        form.filterIndex = 3;
        EXPECT_EQ(dlg.GetFilterIndex(), 3);                  // read from the form
        EXPECT_EQ(dlg.GetFilename(), u"/data/chosen.csv"_s); // the form's confirmation
        dlg.SetOptions(kDefaultSaveDlgOptions + ptofShowHelp);
        dlg.SetFilter(u"Text|*.txt"_s);
        dlg.SetFilterIndex(2);
        dlg.SetFormSplitterPos(120);
        dlg.SetFilename(u"typed.csv"_s);
        dlg.SetOnAddListItem(keepAll);
        dlg.SetOnAddTreeItem(keepAll);
        dlg.SetOnAddComboItem(keepAll); // the combo has no hook: kept only
        EXPECT_EQ(form.fileNameText, u"typed.csv"_s);
        EXPECT_TRUE(form.onAddListItem);
    };

    dlg.Execute();

    const QStringList expected{
        u"ShowModal"_s,
        u"SetOptions 0x003ac410"_s,
        u"SetFilter Text|*.txt"_s,
        u"SetFilterIndex 2"_s,
        u"SetFormSplitterPos 120"_s,
        u"SetFilename typed.csv"_s,
        u"SetOnAddListItem set"_s,
        u"SetOnAddTreeItem set"_s,
    };
    EXPECT_EQ(callsFrom(u"ShowModal"_s).mid(0, expected.size()), expected);

    // Idle again: the component only stores.
    const qsizetype callsAfter = script.calls.size();
    dlg.SetOptions(kDefaultSaveDlgOptions);
    dlg.SetFilterIndex(1);
    dlg.SetFilename(u"next.csv"_s);
    EXPECT_EQ(script.calls.size(), callsAfter);
    EXPECT_EQ(dlg.GetFilterIndex(), 1);
    EXPECT_EQ(dlg.GetFilename(), u"next.csv"_s);
}

TEST_F(DialogComponentsTest, InitFormKeepsTheFormOnTheScreenAndVisible)
{
    const QSize screen = owner.screen()->availableSize();
    dlg.FormWidth = 100000;
    dlg.FormHeight = screen.height() - 1;
    dlg.FormWindowState = wsMinimized;

    dlg.Execute();

    EXPECT_TRUE(script.calls.contains(u"SetFormWidth %1"_s.arg(screen.width())));
    EXPECT_TRUE(script.calls.contains(u"SetFormHeight %1"_s.arg(screen.height() - 1)));
    // A modal form without a minimize box would block the program unseen.
    EXPECT_TRUE(script.calls.contains(u"SetFormWindowState 0"_s));
}

// Each step of Execute that can raise: the form goes, the component is idle
// again and the next Execute works.
class DialogFailureTest : public DialogComponentsTest,
                          public ::testing::WithParamInterface<const char*>
{
};

TEST_P(DialogFailureTest, FormIsFreedAndTheComponentIdleOnEveryFailure)
{
    const QString failAt = QString::fromLatin1(GetParam());
    if (failAt == u"OnInitialized"_s)
        dlg.OnInitialized = [](QObject*) { throw EPlatformError(u"handler failed"_s); };
    else
        script.failAt = failAt;

    EXPECT_THROW(dlg.Execute(), EPlatformError);

    EXPECT_EQ(script.deleted, script.made);
    EXPECT_EQ(dlg.Form(), nullptr);
    EXPECT_FALSE(dlg.Executing());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dlg.OnInitialized = nullptr;
    script = FormScript{};
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(script.deleted, 1);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, DialogFailureTest,
                         ::testing::Values("factory", "SetOptions", "OnInitialized", "ShowModal",
                                           "GetFiles"));

TEST_F(DialogComponentsTest, ExecuteWhileRunningIsRefusedAndTheDialogGoesOn)
{
    RecordedMessages messages;
    dlg.SetName(u"SaveDlg"_s);
    script.files = {u"/data/a.csv"_s};
    script.whileShown = [&](FrmOpenDlgDouble&) {
        // An owner's handler, run by the form inside its event guard.
        EXPECT_FALSE(PTEventGuard([&] { dlg.Execute(); }));
    };

    EXPECT_TRUE(dlg.Execute());

    EXPECT_EQ(messages.texts, QStringList{u"TPTSaveDlg already executing"_s});
    EXPECT_EQ(script.made, 1);
    EXPECT_EQ(dlg.GetFilename(), u"/data/a.csv"_s);
}

// DoExecute guards on its own against a form that already exists.
class ReenteringSaveDlg : public TPTCustomSaveDlg
{
  public:
    using TPTCustomSaveDlg::TPTCustomSaveDlg;
    bool ExecuteAgainWithoutTheGuard() { return DoExecute(); }
};

TEST_F(DialogComponentsTest, SecondFormIsRefusedWithTheComponentsName)
{
    ReenteringSaveDlg reentering;
    reentering.SetName(u"ExportDlg"_s);
    reentering.SetFormFactory(FrmOpenDlgDouble::Factory(script));
    QString message;
    script.whileShown = [&](FrmOpenDlgDouble&) {
        try {
            reentering.ExecuteAgainWithoutTheGuard();
        } catch (const EPlatformError& e) {
            message = e.message();
        }
        EXPECT_NE(reentering.Form(), nullptr);
    };

    EXPECT_TRUE(reentering.Execute());
    EXPECT_EQ(message, u"ExportDlg already executing"_s);
    EXPECT_EQ(script.made, 1);
}

} // namespace
