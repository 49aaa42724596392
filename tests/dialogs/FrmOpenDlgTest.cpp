#include "dialogs/form/TPTFrmOpenDlg.h"

#include "shell/NamespaceFixture.h"

#include "controls/combo/TPTCombobox.h"
#include "controls/splitter/TPTSplitter.h"
#include "dialogs/components/TPTSaveDlg.h"
#include "dialogs/form/FrmOpenDlgLayout.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/Uptshconsts.h"
#include "shell/utils/ShellMalloc.h"
#include "shellwidgets/combo/TPTShellCombo.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kOk = 1;

// Waits for the condition while events run; QTest's QTRY macros report
// to QTest, not to GoogleTest, so the tests wait through this.
template <typename Condition> bool WaitFor(Condition condition)
{
    return QTest::qWaitFor(condition, 5000);
}

std::string Text(const QString& s)
{
    return s.toStdString();
}

std::string Text(const QStringList& list)
{
    return list.join(u'|').toStdString();
}

std::string Text(int n)
{
    return std::to_string(n);
}
constexpr int kCancel = 2;
const QString kCsvFilter = u"CSV files (*.csv)|*.csv|All files (*)|*"_s;

class FrmOpenDlgTest : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
            messages << request.text;
            return answers.isEmpty() ? ptmbOk : answers.takeFirst();
        });
    }

    void TearDown() override
    {
        form.reset();
        SetPTMessageBoxHandler({});
        NamespaceFixture::TearDown();
    }

    static QString path(const QByteArray& bytes) { return FileNameToString(bytes); }

    // Configures a form as a Save dialog on the work folder, as the
    // components do, and shows it (not modally, so the test goes on).
    void open(TPTOpenOptions options = kDefaultSaveDlgOptions)
    {
        form = std::make_unique<TPTFrmOpenDlg>();
        form->SetOnTypeChanged([this](QObject*) { ++typeChanges; });
        form->SetInitialDir(path(work()));
        form->SetDefaultExt(u"csv"_s);
        form->SetOptions(options);
        form->SetFilter(kCsvFilter);
        form->SetFilterIndex(1);
        // A new component has no stored width; the splitter clamps it.
        form->SetFormSplitterPos(-1);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return form->isActiveWindow(); }));
        waitForList();
    }

    void waitForList()
    {
        ASSERT_TRUE(WaitFor([&] { return !form->PTShellList1->IsListing(); }));
        QCoreApplication::processEvents();
    }

    QStringList captions() const
    {
        QStringList names;
        for (int i = 0; i < form->ListItemCount(); ++i)
            names << form->ListItemCaption(i);
        return names;
    }

    // Opens the folder as the confirmation does: through the combo.
    void openFolder(const QByteArray& folder)
    {
        PItemIDList absolute = parse(folder);
        form->OpenFolder(absolute);
        ShellMemFree(absolute);
    }

    // The tree pane's width when the tree opens from collapsed.
    int openedTreeWidth() const
    {
        return FrmOpenDlgLayout::Scale(FrmOpenDlgLayout::kOpenedTreeWidth,
                                       FrmOpenDlgLayout::DesignScale(form->fontMetrics().height()));
    }

    int rowOf(const QString& caption) const { return captions().indexOf(caption); }

    // A key as the user presses it: to the widget that has the focus.
    void press(Qt::Key key, QWidget* focus = nullptr)
    {
        if (focus) {
            focus->setFocus();
            ASSERT_TRUE(WaitFor([&] {
                return QApplication::focusWidget() == focus ||
                       focus->isAncestorOf(QApplication::focusWidget());
            }));
        }
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, key);
    }

    std::unique_ptr<TPTFrmOpenDlg> form;
    QStringList messages;
    QList<TPTMsgButton> answers;
    int typeChanges = 0;
};

TEST_F(FrmOpenDlgTest, TypingANameAndPressingSaveGivesItsPath)
{
    open();
    form->FileNameEdt->setFocus();
    QTest::keyClicks(form->FileNameEdt, u"report"_s);
    form->OpenBtn->click();

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), kOk);
    EXPECT_EQ(form->GetFiles(), QStringList{path(work() + "/report.csv")});
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FrmOpenDlgTest, AnExistingFileAsksBeforeItIsReplaced)
{
    makeFile(work() + "/old.csv", "1,2\n");
    open();
    form->FileNameEdt->setText(u"old.csv"_s);

    answers << ptmbNo;
    form->OpenBtn->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"old.csv"_s)) << messages[0].toStdString();
    EXPECT_TRUE(form->isVisible()) << "No keeps the dialog open";
    EXPECT_TRUE(form->GetFiles().isEmpty());

    answers << ptmbYes;
    form->OpenBtn->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->GetFiles(), QStringList{path(work() + "/old.csv")});
}

TEST_F(FrmOpenDlgTest, EscapeCancelsWithoutAName)
{
    open();
    form->FileNameEdt->setText(u"report"_s);
    press(Qt::Key_Escape, form->FileNameEdt);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), kCancel);
    EXPECT_TRUE(form->GetFiles().isEmpty());
}

TEST_F(FrmOpenDlgTest, TheFilterGivesTwoTypesThatFilterTheList)
{
    makeFile(work() + "/a.csv");
    makeFile(work() + "/b.txt");
    makeDir(work() + "/sub");
    open();

    ASSERT_EQ(form->FileTypesCbx->count(), 2);
    EXPECT_EQ(form->FileTypesCbx->itemText(0), u"CSV files (*.csv)"_s);
    EXPECT_EQ(form->GetFilterIndex(), 1);
    EXPECT_EQ(form->SelectedFileTypePattern(), u"*.csv"_s);
    EXPECT_TRUE(captions().contains(u"a.csv"_s));
    EXPECT_FALSE(captions().contains(u"b.txt"_s));
    EXPECT_TRUE(captions().contains(u"sub"_s)) << "folders pass every mask";
    EXPECT_EQ(typeChanges, 0) << "configuring fires no event";

    form->SetFilterIndex(2);
    waitForList();
    EXPECT_EQ(form->GetFilterIndex(), 2);
    EXPECT_TRUE(captions().contains(u"b.txt"_s));
    EXPECT_EQ(typeChanges, 1);

    // Out of range: the first type, without the change handling.
    form->SetFilterIndex(7);
    EXPECT_EQ(form->GetFilterIndex(), 1);
    EXPECT_EQ(typeChanges, 1);
}

TEST_F(FrmOpenDlgTest, ChoosingATypeAfterAWildcardEmptiesTheName)
{
    makeFile(work() + "/a.csv");
    makeFile(work() + "/b.txt");
    open();
    form->FileNameEdt->setText(u"*.txt"_s);
    form->OpenBtn->click();
    waitForList();
    EXPECT_TRUE(form->isVisible()) << "a wildcard filters, it does not close";
    EXPECT_EQ(form->UserFilter(), u"*.txt"_s);
    EXPECT_EQ(captions(), QStringList{u"b.txt"_s});

    form->FileTypesCbx->setCurrentIndex(0);
    form->FileTypesCbx->SelEndOk();
    waitForList();
    EXPECT_TRUE(form->FileNameEdt->text().isEmpty());
    EXPECT_TRUE(form->UserFilter().isEmpty());
    EXPECT_EQ(captions(), QStringList{u"a.csv"_s});
}

TEST_F(FrmOpenDlgTest, SelectedFilesFillTheNameBox)
{
    makeFile(work() + "/a.csv");
    makeFile(work() + "/b.csv");
    makeFile(work() + "/c.csv");
    makeDir(work() + "/folder");
    open(kDefaultSaveDlgOptions + ptofAllowMultiselect);
    TPTShellList* list = form->PTShellList1;
    ASSERT_TRUE(list->MultiSelect());

    // One file: its caption.
    list->SetSelected(rowOf(u"b.csv"_s), true);
    EXPECT_EQ(form->FileNameEdt->text(), u"b.csv"_s);
    EXPECT_EQ(form->LastInputSource(), lisList);

    // Two files, picked in reverse: in list order, each quoted.
    list->ClearSelection();
    list->SetSelected(rowOf(u"c.csv"_s), true);
    list->SetSelected(rowOf(u"a.csv"_s), true);
    EXPECT_EQ(form->FileNameEdt->text(), uR"("a.csv" "c.csv")"_s);

    // Only a folder: the box keeps its text.
    list->ClearSelection();
    list->SetSelected(rowOf(u"folder"_s), true);
    EXPECT_EQ(form->FileNameEdt->text(), uR"("a.csv" "c.csv")"_s);
}

TEST_F(FrmOpenDlgTest, WithoutMultiselectTheListSelectsOne)
{
    open(kDefaultSaveDlgOptions - ptofAllowMultiselect);
    EXPECT_FALSE(form->PTShellList1->MultiSelect());
}

TEST_F(FrmOpenDlgTest, F12AndTheButtonToggleTheTree)
{
    open();
    TPTSplitter* splitter = form->PTSplitter1;
    EXPECT_FALSE(form->ShowTreeBtn->isChecked());
    EXPECT_LT(splitter->Position(), 0) << "the tree pane and the bar are hidden";

    press(Qt::Key_F12, form->PTShellList1);
    EXPECT_TRUE(form->ShowTreeBtn->isChecked());
    EXPECT_TRUE(form->Options().Contains(ptofShowTree));
    EXPECT_EQ(splitter->Position(), openedTreeWidth());
    EXPECT_TRUE(form->PTShellTree1->isVisible());

    press(Qt::Key_F12, form->PTShellList1);
    EXPECT_FALSE(form->ShowTreeBtn->isChecked());
    EXPECT_FALSE(form->Options().Contains(ptofShowTree));
    EXPECT_LT(splitter->Position(), 0);

    form->ShowTreeBtn->click();
    EXPECT_TRUE(form->Options().Contains(ptofShowTree));
    EXPECT_GT(splitter->Position(), 0);
}

TEST_F(FrmOpenDlgTest, TheTreeFollowsTheFolderAndTheListFollowsTheTree)
{
    makeDir(work() + "/sub");
    makeFile(work() + "/sub/inner.csv");
    open(kDefaultSaveDlgOptions + ptofShowTree);
    EXPECT_TRUE(form->ShowTreeBtn->isChecked());
    EXPECT_EQ(form->PTSplitter1->Position(), openedTreeWidth());
    ASSERT_TRUE(WaitFor([&] { return form->PTShellTree1->GetSelectedPathName() == path(work()); }))
        << Text(form->PTShellTree1->GetSelectedPathName());

    // Opening a folder through the combo moves the tree and the list.
    openFolder(work() + "/sub");
    waitForList();
    ASSERT_TRUE(WaitFor([&] { return form->ShownFolderPath() == path(work() + "/sub"); }))
        << Text(form->ShownFolderPath());
    ASSERT_TRUE(WaitFor([&] {
        return form->PTShellTree1->GetSelectedPathName() == path(work() + "/sub");
    })) << Text(form->PTShellTree1->GetSelectedPathName());
    EXPECT_EQ(captions(), QStringList{u"inner.csv"_s});
}

TEST_F(FrmOpenDlgTest, ATreeShownAtOpeningKeepsItsWidthInAStoredSize)
{
    form = std::make_unique<TPTFrmOpenDlg>();
    form->SetInitialDir(path(work()));
    form->SetOptions(kDefaultSaveDlgOptions + ptofShowTree);
    form->SetFormWidth(760);
    form->SetFormHeight(480);
    form->SetFormSplitterPos(-1);
    form->show();
    waitForList();
    EXPECT_EQ(form->width(), 760);
    EXPECT_EQ(form->PTSplitter1->Position(), openedTreeWidth());
    EXPECT_GT(form->PTShellTree1->width(), openedTreeWidth() / 2);
    form->resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_GT(form->PTShellTree1->width(), openedTreeWidth() / 2);
}

TEST_F(FrmOpenDlgTest, F4DropsTheFolderComboAndOpensTheHighlightedFolder)
{
    makeDir(work() + "/sub");
    open();
    openFolder(work() + "/sub");
    waitForList();
    TPTShellCombo* combo = form->PTShellCombo1;
    press(Qt::Key_F4, form->FileNameEdt);
    ASSERT_TRUE(WaitFor([&] { return combo->DroppedDown(); }));

    // Highlight the entry above (the work folder) and confirm it with F4.
    const int above = combo->currentIndex() - 1;
    combo->view()->setCurrentIndex(combo->model()->index(above, 0));
    press(Qt::Key_F4);
    EXPECT_FALSE(combo->DroppedDown());
    ASSERT_TRUE(WaitFor([&] { return form->ShownFolderPath() == path(work()); }))
        << Text(form->ShownFolderPath());
    EXPECT_TRUE(form->PTShellList1->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == form->PTShellList1);
}

TEST_F(FrmOpenDlgTest, TheOuterSizeGoesBackAndForthAndKeepsTheMinimum)
{
    form = std::make_unique<TPTFrmOpenDlg>();
    form->SetFormWidth(700);
    form->SetFormHeight(500);
    EXPECT_EQ(form->GetFormRestoredSize(), QSize(700, 500));
    form->SetFormWidth(10);
    EXPECT_EQ(form->width(), form->minimumWidth());
    form->SetFormWindowState(wsMaximized);
    EXPECT_EQ(form->GetFormWindowState(), wsMaximized);
    form->SetFormWindowState(wsNormal);
    EXPECT_EQ(form->GetFormWindowState(), wsNormal);
}

TEST_F(FrmOpenDlgTest, WithoutAllowTreeThereIsNoTreeButtonAndF12DoesNothing)
{
    open(kDefaultSaveDlgOptions - ptofAllowTree);
    EXPECT_FALSE(form->ShowTreeBtn->isVisible());
    EXPECT_EQ(form->ListBtn->x(), form->ShowTreeBtn->x());
    EXPECT_EQ(form->DetailsBtn->x(), form->ListBtn->geometry().right() + 1);
    press(Qt::Key_F12, form->PTShellList1);
    EXPECT_FALSE(form->ShowTreeBtn->isChecked());
    EXPECT_LT(form->PTSplitter1->Position(), 0);
}

TEST_F(FrmOpenDlgTest, ViewButtonsAndMenuItemsSwitchTheListView)
{
    open();
    EXPECT_EQ(form->PTShellList1->GetViewStyle(), vsList);
    EXPECT_TRUE(form->ListBtn->isChecked());

    form->DetailsBtn->click();
    EXPECT_EQ(form->PTShellList1->GetViewStyle(), vsReport);
    EXPECT_TRUE(form->DetailsBtn->isChecked());
    EXPECT_FALSE(form->ListBtn->isChecked());
    EXPECT_TRUE(form->Details1Mitm->isChecked());
    EXPECT_FALSE(form->List1Mitm->isChecked());

    form->List1Mitm->trigger();
    EXPECT_EQ(form->PTShellList1->GetViewStyle(), vsList);
    EXPECT_TRUE(form->ListBtn->isChecked());
    EXPECT_FALSE(form->DetailsBtn->isChecked());
    EXPECT_FALSE(form->LargeIcons1Mitm->isEnabled());
}

TEST_F(FrmOpenDlgTest, F5RefreshesTheListAndBackspaceGoesUp)
{
    makeDir(work() + "/sub");
    open();
    openFolder(work() + "/sub");
    waitForList();
    ASSERT_EQ(form->ShownFolderPath(), path(work() + "/sub"));
    EXPECT_TRUE(captions().isEmpty());

    // F5 in the name box refreshes the list, which does not have the focus.
    makeFile(work() + "/sub/new.csv");
    press(Qt::Key_F5, form->FileNameEdt);
    waitForList();
    ASSERT_TRUE(WaitFor([&] { return captions() == QStringList{u"new.csv"_s}; }))
        << Text(captions());

    // Backspace in the name box edits the name ...
    form->FileNameEdt->setText(u"ab"_s);
    press(Qt::Key_Backspace, form->FileNameEdt);
    EXPECT_EQ(form->FileNameEdt->text(), u"a"_s);
    EXPECT_EQ(form->ShownFolderPath(), path(work() + "/sub"));
    // ... and in the list goes up one level.
    press(Qt::Key_Backspace, form->PTShellList1);
    waitForList();
    ASSERT_TRUE(WaitFor([&] { return form->ShownFolderPath() == path(work()); }))
        << Text(form->ShownFolderPath());
}

TEST_F(FrmOpenDlgTest, OptionsShowAndHideTheReadOnlyBoxHelpAndHiddenFiles)
{
    makeFile(work() + "/.hidden.csv");
    open(kDefaultSaveDlgOptions - ptofShowHidden);
    EXPECT_FALSE(form->ReadOnlyChk->isVisible());
    EXPECT_FALSE(form->HelpBtn->isVisible());
    EXPECT_FALSE(captions().contains(u".hidden.csv"_s));

    form->SetOptions(kDefaultSaveDlgOptions - ptofHideReadOnly + ptofShowHelp);
    waitForList();
    EXPECT_TRUE(form->ReadOnlyChk->isVisible());
    EXPECT_TRUE(form->HelpBtn->isVisible());
    // The panel grew to hold them, and the list gave up the room.
    EXPECT_TRUE(form->Panel1->rect().contains(form->ReadOnlyChk->geometry()));
    EXPECT_TRUE(form->Panel1->rect().contains(form->HelpBtn->geometry()));
    EXPECT_LE(form->SplitterContainer->geometry().bottom(), form->Panel1->y());
    ASSERT_TRUE(WaitFor([&] { return captions().contains(u".hidden.csv"_s); }));

    form->ReadOnlyChk->click();
    EXPECT_TRUE(form->Options().Contains(ptofReadOnly));
    form->ReadOnlyChk->click();
    EXPECT_FALSE(form->Options().Contains(ptofReadOnly));
}

TEST_F(FrmOpenDlgTest, TheFormKeepsItsMinimumSizeAndItsMargins)
{
    open();
    const double scale = FrmOpenDlgLayout::DesignScale(form->fontMetrics().height());
    const QSize minimum(FrmOpenDlgLayout::Scale(459, scale), FrmOpenDlgLayout::Scale(274, scale));
    EXPECT_EQ(form->minimumSize(), minimum);
    form->resize(100, 100);
    EXPECT_GE(form->width(), minimum.width());
    EXPECT_GE(form->height(), minimum.height());

    form->resize(900, 600);
    QCoreApplication::processEvents();
    const int margin = FrmOpenDlgLayout::Scale(16, scale);
    EXPECT_EQ(form->OpenBtn->geometry().right() + 1, 900 - margin);
    EXPECT_EQ(form->CancelBtn->x(), form->OpenBtn->x());
    EXPECT_EQ(form->FileNameEdt->geometry().right() + 1 + FrmOpenDlgLayout::Scale(8, scale),
              form->OpenBtn->x());
    EXPECT_EQ(form->FileTypesCbx->width(), form->FileNameEdt->width());
    // Labels are not clipped and the edits start right of them.
    EXPECT_GE(form->FileNameTxt->width(), form->FileNameTxt->sizeHint().width());
    EXPECT_GT(form->FileNameEdt->x(), form->FileNameTxt->geometry().right());
    EXPECT_GT(form->FileTypesCbx->x(), form->FilesOfTypeTxt->geometry().right());
    EXPECT_GT(form->PTShellCombo1->x(), form->LookInTxt->geometry().right());
    // The list fills the room between the toolbar and the panel.
    EXPECT_GT(form->PTShellList1->height(), 600 / 2);
}

TEST_F(FrmOpenDlgTest, TheCaptionsComeFromTheStringTable)
{
    open();
    EXPECT_EQ(form->FileNameTxt->text(), PTLoadStr(SFileName));
    EXPECT_EQ(form->CancelBtn->text(), PTLoadStr(SCancelButton));
    EXPECT_EQ(form->ShowTreeBtn->toolTip(), PTLoadStr(SShowTreeHint));
    EXPECT_EQ(form->ListBtn->toolTip(), PTLoadStr(SViewListHint));
    EXPECT_EQ(form->Properties1Mitm->text(), PTLoadStr(SPropertiesMenu));
}

TEST_F(FrmOpenDlgTest, TypingOffersCompletionsFromTheShownFolder)
{
    makeFile(home() + "/Document.txt");
    makeFile(home() + "/other.csv");
    open();
    form->SetInitialDir(path(home()));
    waitForList();
    ASSERT_EQ(form->ShownFolderPath(), path(home()));

    QCompleter* completer = form->FileNameEdt->completer();
    ASSERT_NE(completer, nullptr);
    form->FileNameEdt->setFocus();
    QTest::keyClicks(form->FileNameEdt, u"Doc"_s);
    // The folder is read on the model's thread; the popup fills when it ends.
    ASSERT_TRUE(WaitFor([&] { return completer->completionCount() == 2; }))
        << Text(completer->completionCount());
    QStringList offered;
    for (int row = 0; completer->setCurrentRow(row); ++row)
        offered << completer->currentCompletion();
    offered.sort();
    EXPECT_EQ(offered, (QStringList{u"Document.txt"_s, u"Documents/"_s}));

    // Tab takes the highlighted completion, or the first.
    ASSERT_TRUE(WaitFor([&] { return completer->popup()->isVisible(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(offered.contains(form->FileNameEdt->text()))
        << form->FileNameEdt->text().toStdString();
    EXPECT_FALSE(completer->popup()->isVisible());

    // From "~/" the same folder, written as the user began.
    completer->setCompletionPrefix(u"~/oth"_s);
    ASSERT_TRUE(WaitFor([&] { return completer->completionCount() == 1; }))
        << Text(completer->completionCount());
    EXPECT_EQ(completer->currentCompletion(), u"~/other.csv"_s);
}

TEST_F(FrmOpenDlgTest, ADialogOpensAgainWhereTheLastOneWas)
{
    makeDir(work() + "/sub");
    open();
    openFolder(work() + "/sub");
    waitForList();
    form->CancelBtn->click();
    ASSERT_FALSE(form->isVisible());

    form = std::make_unique<TPTFrmOpenDlg>();
    form->SetFilename(u"curve.csv"_s);
    form->show();
    waitForList();
    EXPECT_EQ(form->ShownFolderPath(), path(work() + "/sub"));
    EXPECT_EQ(form->FileNameEdt->text(), u"curve.csv"_s);

    // A name with a folder part names the folder instead, and keeps its name.
    form.reset();
    form = std::make_unique<TPTFrmOpenDlg>();
    form->SetFilename(path(work()) + u"/other.csv"_s);
    form->show();
    waitForList();
    EXPECT_EQ(form->ShownFolderPath(), path(work()));
    EXPECT_EQ(form->FileNameEdt->text(), u"other.csv"_s);
}

TEST_F(FrmOpenDlgTest, AnInitialFolderThatIsGoneOpensItsNearestAncestor)
{
    makeDir(work() + "/kept");
    form = std::make_unique<TPTFrmOpenDlg>();
    form->SetInitialDir(path(work() + "/kept/gone/deeper"));
    form->show();
    waitForList();
    EXPECT_EQ(form->ShownFolderPath(), path(work() + "/kept"));
}

TEST_F(FrmOpenDlgTest, TheOwnersEventsComeOnlyOnceTheFormShows)
{
    makeDir(work() + "/sub");
    makeFile(work() + "/a.csv");
    QStringList events;
    form = std::make_unique<TPTFrmOpenDlg>();
    const auto log = [&events](const char* name) {
        return [&events, name](QObject* sender) {
            events << QString::fromLatin1(name);
            EXPECT_NE(qobject_cast<TPTFrmOpenDlg*>(sender), nullptr);
        };
    };
    form->SetOnFormShow(log("show"));
    form->SetOnFormClose(log("close"));
    form->SetOnFolderChanged(log("folder"));
    form->SetOnSelectionChanged(log("selection"));
    form->SetOnTypeChanged(log("type"));
    int helpContext = 0;
    form->SetOnHelp([&](std::uint16_t, std::int32_t data, bool&) {
        helpContext = data;
        return true;
    });
    form->SetHelpContext(28456);
    // Configuring, as the components do: nothing reaches the owner.
    form->SetInitialDir(path(work() + "/sub"));
    form->SetOptions(kDefaultSaveDlgOptions + ptofShowHelp);
    form->SetFilter(kCsvFilter);
    form->SetFilterIndex(2);
    form->SetInitialDir(path(work()));
    EXPECT_TRUE(events.isEmpty()) << Text(events);

    form->show();
    waitForList();
    EXPECT_EQ(events, QStringList{u"show"_s});
    openFolder(work() + "/sub");
    waitForList();
    form->PTShellList1->ClearSelection();
    openFolder(work());
    waitForList();
    form->PTShellList1->SetSelected(rowOf(u"a.csv"_s), true);
    form->FileTypesCbx->SelEndOk();
    form->HelpBtn->click();
    EXPECT_EQ(helpContext, 28456);
    form->CancelBtn->click();
    EXPECT_EQ(events, (QStringList{u"show"_s, u"folder"_s, u"folder"_s, u"selection"_s, u"type"_s,
                                   u"close"_s}));
}

TEST_F(FrmOpenDlgTest, TheSaveComponentRunsTheFormEndToEnd)
{
    makeFile(work() + "/old.csv");
    TPTSaveDlg dialog;
    dialog.InitialDir = path(work());
    dialog.DefaultExt = u"csv"_s;
    dialog.SetFilter(kCsvFilter);
    dialog.SetFilename(u"curve"_s);
    QString shownName;
    dialog.OnFormShow = [&](QObject* sender) {
        auto* shown = static_cast<TPTFrmOpenDlg*>(sender);
        shownName = shown->FileNameEdt->text();
        QTimer::singleShot(0, shown, [shown] { shown->OpenBtn->click(); });
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shownName, u"curve"_s);
    EXPECT_EQ(dialog.GetFilename(), path(work() + "/curve.csv"));
    EXPECT_EQ(dialog.GetFilterIndex(), 1);
}

} // namespace

TEST_F(FrmOpenDlgTest, OpeningAFileInTheListConfirmsAndAFolderIsEntered)
{
    makeDir(work() + "/sub");
    makeFile(work() + "/sub/inner.csv");
    makeFile(work() + "/data.csv");
    open();

    // A folder opened in the list is entered, and the dialog stays.
    form->PTShellList1->OpenItem(&form->PTShellList1->Item(rowOf(u"sub"_s)));
    waitForList();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(captions(), QStringList{u"inner.csv"_s});

    // A file opened (double-clicked) confirms the dialog instead of starting
    // its program; the close check asks about replacing it, then gives its path.
    form->SelectAndFocusListItem(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->FileNameEdt->text(), u"inner.csv"_s);
    answers << ptmbYes;
    form->PTShellList1->OpenItem(&form->PTShellList1->Item(0));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), kOk);
    EXPECT_EQ(form->GetFiles(), QStringList{path(work() + "/sub/inner.csv")});
}

TEST_F(FrmOpenDlgTest, TheNewFolderButtonMakesAFolderReadyToBeNamed)
{
    open();
    form->CreateNewFolderBtn->click();
    ASSERT_TRUE(WaitFor([&] { return form->PTShellList1->IsEditing(); }));
    EXPECT_EQ(QDir(QFile::decodeName(work())).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
              1);
}
