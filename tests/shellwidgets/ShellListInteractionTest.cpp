// The file list as a user works with it: keys, renaming, new folders, menus,
// clipboard, trash, drops and the wheel, on the real file system.

#include "ShellListFixture.h"

#include "controls/treelist/TPTListItemModel.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/fileops/DropMenu.h"
#include "shell/menus/TShellMenu.h"
#include "shell/menus/UrlOpener.h"
#include "shell/shell95/OleConstants.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/utils/ShellLinks.h"
#include "shellwidgets/menus/SendToSubmenu.h"
#include "shellwidgets/menus/TPTShellPopupMenu.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace
{

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

class ShellListInteraction : public ShellListFixture
{
  protected:
    void TearDown() override
    {
        TPTCustomShellList::SetShellMenuTracker({});
        SetDropMenuHandler({});
        SetUrlOpener({});
        ShellListFixture::TearDown();
    }

    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(list->ActiveView(), Qt::Key(k), modifiers);
    }
    void select(const QString& caption)
    {
        const int row = rowOf(caption);
        ASSERT_GE(row, 0) << caption.toStdString();
        list->ClearSelection();
        list->SetSelected(row, true);
        list->SetItemFocused(row);
    }
    QString folderPath() { return list->Folder().GetPathName(); }
    QLineEdit* editor() { return list->ClientWidget()->findChild<QLineEdit*>(); }
    void refreshAndWait()
    {
        list->RefreshItems();
        waitForListing();
    }

    // Sends a drag of `mime` over the point and drops it there.
    Qt::DropAction drop(QMimeData* mime, const QPoint& at, Qt::DropActions actions,
                        Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QWidget* viewport = list->ActiveView()->viewport();
        QDragEnterEvent enter(at, actions, mime, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, actions, mime, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QDropEvent dropped(at, actions, mime, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
        return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
    }
};

TEST_F(ShellListInteraction, EnterOpensAFolderBackspaceGoesUpAndTheDesktopStays)
{
    makeDir(work() + "/inner");
    makeFile(work() + "/inner/file");
    show(work());
    select("inner");
    key(Qt::Key_Return);
    waitForListing();
    EXPECT_EQ(folderPath(), FileNameToString(work() + "/inner"));
    EXPECT_EQ(captions(), QStringList{"file"});

    key(Qt::Key_Backspace);
    waitForListing();
    EXPECT_EQ(folderPath(), FileNameToString(work()));
    EXPECT_GE(rowOf("inner"), 0);

    list->Folder().SetIdList(nullptr); // the desktop has no parent
    waitForListing();
    key(Qt::Key_Backspace);
    EXPECT_EQ(list->Folder().GetIdList() == nullptr ||
                  *reinterpret_cast<const quint16*>(list->Folder().GetIdList()) == 0,
              true);

    // With the option that forbids it, nothing moves.
    show(work());
    list->SetOptions(list->Options().With(ptsloDontChangeFolder));
    select("inner");
    key(Qt::Key_Return);
    key(Qt::Key_Backspace);
    EXPECT_EQ(folderPath(), FileNameToString(work()));
}

TEST_F(ShellListInteraction, OpeningAFileRunsItsDefaultCommandUnlessTheHostHandlesIt)
{
    makeFile(work() + "/report.csv");
    show(work());
    QList<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    select("report.csv");
    list->OpenSelectedItems();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].path().endsWith("/work/report.csv"));

    list->OnDblClickOpen = [](TPTCustomShellList*, bool& handled) { handled = true; };
    list->OpenSelectedItems();
    EXPECT_EQ(opened.size(), 1);

    // A shortcut to a folder is followed, even with the host handling opens.
    makeDir(work() + "/target");
    ASSERT_TRUE(Succeeded(CreateQuickShortcut(FileNameToString(work() + "/to target.desktop"),
                                              FileNameToString(work() + "/target"))));
    list->RefreshItems();
    waitForListing();
    select("to target.desktop");
    list->OpenSelectedItems();
    waitForListing();
    EXPECT_EQ(folderPath(), FileNameToString(work() + "/target"));
    EXPECT_EQ(opened.size(), 1);

    // Several items, a folder among them: one default command for all of
    // them, no navigation.
    list->OnDblClickOpen = nullptr;
    show(work());
    select("report.csv");
    list->SetSelected(rowOf("target"), true);
    list->OpenSelectedItems();
    EXPECT_EQ(folderPath(), FileNameToString(work()));
    EXPECT_EQ(opened.size(), 3);
}

TEST_F(ShellListInteraction, F2RenamesInPlaceWithoutASecondListing)
{
    makeFile(work() + "/old.txt");
    show(work());
    TPTShListData* record = list->GetShListData(rowOf("old.txt"));
    select("old.txt");
    key(Qt::Key_F2);
    ASSERT_TRUE(list->IsEditing());
    ASSERT_NE(editor(), nullptr);
    editor()->setText("new.txt");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !list->IsEditing(); }, 5000));
    EXPECT_TRUE(exists(work() + "/new.txt"));
    EXPECT_FALSE(exists(work() + "/old.txt"));
    EXPECT_EQ(captions(), QStringList{"new.txt"});
    EXPECT_EQ(list->GetShListData(0), record);
    EXPECT_EQ(record->GetPathName(), FileNameToString(work() + "/new.txt"));
    // The list's own change is not listed again.
    EXPECT_TRUE(list->IgnoreNextChange());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ShellListInteraction, ARenameOntoAnExistingNameIsRefusedWithTheReason)
{
    makeFile(work() + "/a", "a's data");
    makeFile(work() + "/b", "b's data");
    show(work());
    select("a");
    list->EditCaption(rowOf("a"));
    ASSERT_NE(editor(), nullptr);
    editor()->setText("b");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !list->IsEditing(); }, 5000));

    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("\"a\"")) << messages[0].toStdString();
    EXPECT_EQ(captions(), (QStringList{"a", "b"}));
    EXPECT_FALSE(list->IgnoreNextChange());
    QFile b(FileNameToString(work() + "/b"));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), "b's data");
}

TEST_F(ShellListInteraction, ANewFolderGetsAFreeNameAndGoesIntoEditing)
{
    makeDir(work() + "/New Folder");
    show(work());
    ASSERT_TRUE(list->CreateNewFolder(true));
    EXPECT_TRUE(exists(work() + "/New Folder (2)"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->IsEditing(); }, 5000));
    EXPECT_EQ(list->ItemFocused(), rowOf("New Folder (2)"));
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->text(), QStringLiteral("New Folder (2)"));

    // Computer has no folder to make one in.
    QTest::keyClick(editor(), Qt::Key_Escape);
    list->Folder().SetCSIDL(csidlDrives);
    waitForListing();
    EXPECT_FALSE(list->CreateNewFolder(false));
}

TEST_F(ShellListInteraction, CopyAndPasteThroughTheClipboardAlsoFromAFileManager)
{
    makeDir(work() + "/from");
    makeDir(work() + "/to");
    makeFile(work() + "/from/data.bin", "payload");
    show(work() + "/from");
    select("data.bin");
    key(Qt::Key_C, Qt::ControlModifier);
    show(work() + "/to");
    key(Qt::Key_V, Qt::ControlModifier);
    waitForListing();
    EXPECT_TRUE(exists(work() + "/from/data.bin"));
    EXPECT_TRUE(exists(work() + "/to/data.bin"));
    EXPECT_EQ(captions(), QStringList{"data.bin"});

    // A file manager's copied files.
    makeFile(work() + "/other.txt");
    auto* mime = new QMimeData;
    mime->setData(kGnomeCopiedFilesMimeType,
                  "copy\n" +
                      QUrl::fromLocalFile(FileNameToString(work() + "/other.txt")).toEncoded());
    QApplication::clipboard()->setMimeData(mime);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(exists(work() + "/to/other.txt"));
}

TEST_F(ShellListInteraction, DelTrashesShiftDelAsksAndDeletesForGood)
{
    makeFile(work() + "/junk");
    makeFile(work() + "/secret");
    show(work());
    select("junk");
    key(Qt::Key_Delete);
    waitForListing();
    EXPECT_FALSE(exists(work() + "/junk"));
    EXPECT_TRUE(exists(root() + "/data/Trash/files/junk"));
    EXPECT_EQ(captions(), QStringList{"secret"});

    int questions = 0;
    TPTMsgButton answer = ptmbNo;
    SetPTMessageBoxHandler([&](const TPTMessageBoxRequest&) {
        ++questions;
        return answer;
    });
    select("secret");
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(exists(work() + "/secret"));
    answer = ptmbYes;
    key(Qt::Key_Delete, Qt::ShiftModifier);
    waitForListing();
    EXPECT_FALSE(exists(work() + "/secret"));
    EXPECT_FALSE(exists(root() + "/data/Trash/files/secret"));
    EXPECT_TRUE(captions().isEmpty());
}

TEST_F(ShellListInteraction, AUriListDroppedFromOutsideIsCopiedIn)
{
    makeDir(work() + "/outside");
    makeDir(work() + "/in");
    makeFile(work() + "/outside/one", "1");
    makeFile(work() + "/outside/two", "2");
    show(work() + "/in");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(FileNameToString(work() + "/outside/one")),
                  QUrl::fromLocalFile(FileNameToString(work() + "/outside/two"))});
    EXPECT_EQ(drop(&mime, QPoint(300, 300), Qt::CopyAction), Qt::CopyAction);
    waitForListing();
    EXPECT_TRUE(exists(work() + "/in/one"));
    EXPECT_TRUE(exists(work() + "/in/two"));
    EXPECT_TRUE(exists(work() + "/outside/one"));
    EXPECT_EQ(captions().size(), 2);

    // Without the option the list takes nothing.
    makeFile(work() + "/outside/three");
    list->SetOptions(list->Options().With(ptsloOleDrop, false));
    QMimeData more;
    more.setUrls({QUrl::fromLocalFile(FileNameToString(work() + "/outside/three"))});
    drop(&more, QPoint(300, 300), Qt::CopyAction);
    EXPECT_FALSE(exists(work() + "/in/three"));
}

TEST_F(ShellListInteraction, ADropOnAFolderItemGoesIntoItAndAClashAsks)
{
    makeDir(work() + "/src");
    makeDir(work() + "/dst");
    makeDir(work() + "/dst/box");
    makeFile(work() + "/src/f", "new");
    makeFile(work() + "/dst/box/f", "old");
    show(work() + "/dst");
    int asked = 0;
    SetPTMessageBoxHandler([&](const TPTMessageBoxRequest&) {
        ++asked;
        return ptmbNo;
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(FileNameToString(work() + "/src/f"))});
    const QPoint onBox = list->ItemRect(rowOf("box"), drIcon).center();
    drop(&mime, onBox, Qt::CopyAction);
    EXPECT_EQ(asked, 1);
    QFile f(FileNameToString(work() + "/dst/box/f"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
    EXPECT_EQ(list->DropTarget(), -1);
}

TEST_F(ShellListInteraction, ItemsDroppedOntoTheirOwnFolderMoveNowhereTheRightButtonAsks)
{
    makeFile(work() + "/item");
    show(work());
    std::uint32_t menuAllowed = 0;
    SetDropMenuHandler([&](HWND, std::uint32_t allowed, std::uint32_t) {
        menuAllowed = allowed;
        return std::uint32_t(DROPEFFECT_COPY);
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(FileNameToString(work() + "/item"))});
    const QPoint empty(500, 350);
    ASSERT_LT(list->ItemAt(empty), 0);

    // A move into the folder the file is in already does nothing.
    EXPECT_EQ(drop(&mime, empty, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(menuAllowed, 0u);
    EXPECT_EQ(captions(), QStringList{"item"});

    // The right button asks, and a copy beside the original gets a new name.
    drop(&mime, empty, Qt::CopyAction | Qt::MoveAction, Qt::RightButton);
    EXPECT_NE(menuAllowed & DROPEFFECT_COPY, 0u);
    waitForListing();
    EXPECT_TRUE(exists(work() + "/item (copy)"));
    EXPECT_EQ(captions().size(), 2);
}

TEST_F(ShellListInteraction, ShellMenusForItemsAndTheFolderRunTheirCommands)
{
    makeFile(work() + "/doc.txt");
    show(work());
    std::vector<std::uint32_t> ids;
    std::uint32_t answer = 0;
    TPTCustomShellList::SetShellMenuTracker([&](QWidget*, const TShellMenu& menu, const QPoint&) {
        ids = menu.CommandIds();
        return answer;
    });

    // The rename entry edits in place.
    select("doc.txt");
    answer = TPTCustomShellList::kFirstShellCommandId + 18;
    list->ProcessMenuForAllSelected(QPoint(5, 5));
    EXPECT_NE(std::find(ids.begin(), ids.end(), answer), ids.end());
    EXPECT_TRUE(list->IsEditing());
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_FALSE(list->InMenuOrDrag());

    // Copy from the item's menu, Paste from the folder's own menu.
    answer = TPTCustomShellList::kFirstShellCommandId + 25;
    list->ProcessMenu(&list->Item(rowOf("doc.txt")), QPoint(5, 5));
    answer = TPTCustomShellList::kFirstShellCommandId + 26;
    list->ClearSelection();
    list->ProcessFolderMenu(QPoint(5, 5));
    EXPECT_TRUE(exists(work() + "/doc (copy).txt"));

    // A refresh asked for while the menu was up runs afterwards (no change
    // notice to do it instead).
    list->SetOptions(list->Options().With(ptsloDynamicRefresh, false));
    QTest::qWait(50); // notices of the paste
    list->Synchronize(false);
    waitForListing();
    ASSERT_FALSE(list->RefreshTimerActive());
    makeFile(work() + "/late");
    answer = 0;
    TPTCustomShellList::SetShellMenuTracker([&](QWidget*, const TShellMenu&, const QPoint&) {
        list->RefreshItems();
        EXPECT_TRUE(list->RefreshPending());
        return std::uint32_t(0);
    });
    list->ProcessFolderMenu(QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowOf("late") >= 0 && !list->IsListing(); }, 5000));
}

TEST_F(ShellListInteraction, TypingSelectsTheNextItemByItsNameInEveryStyle)
{
    for (const char* name : {"alpha", "Beta", "bravo", "charlie"})
        makeFile(work() + "/" + name);
    show(work());
    for (TViewStyle style : {vsList, vsReport}) {
        list->SetViewStyle(style);
        list->ClearSelection();
        list->SetItemFocused(-1);
        QTest::qWait(1100); // a pause starts a new search
        QTest::keyClicks(list->ActiveView(), "br");
        EXPECT_EQ(list->Selected(), rowOf("bravo"));
        QTest::qWait(1100);
        key(Qt::Key_B);
        EXPECT_EQ(list->Selected(), rowOf("Beta"));
        key(Qt::Key_B);
        EXPECT_EQ(list->Selected(), rowOf("bravo"));
    }
}

TEST_F(ShellListInteraction, TheWheelOverALinkedTreeScrollsTheTree)
{
    for (int i = 0; i < 60; ++i)
        makeDir(work() + "/folder" + QByteArray::number(i));
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tree = new TPTShellTree;
    layout->addWidget(tree);
    list->setParent(&window);
    layout->addWidget(list.get());
    window.resize(400, 800);
    window.show();
    tree->BaseFolder().SetPathName(FileNameToString(work()));
    QCoreApplication::processEvents();
    ASSERT_NE(tree->TopItem(0), nullptr);
    tree->ExpandNode(tree->TopItem(0));
    QCoreApplication::processEvents();
    QAbstractItemView* view = tree;
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->verticalScrollBar()->maximum() > 0; }, 5000))
        << tree->TopItem(0)->Count() << " " << tree->IsExpanded(tree->TopItem(0)) << " "
        << view->metaObject()->className() << " " << view->height();
    const int before = view->verticalScrollBar()->value();

    const QPoint overTree = view->viewport()->mapToGlobal(view->viewport()->rect().center());
    QWidget* viewport = list->ActiveView()->viewport();
    QWheelEvent wheel(viewport->mapFromGlobal(QPointF(overTree)), QPointF(overTree), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &wheel);
    EXPECT_GT(view->verticalScrollBar()->value(), before);
    list->setParent(nullptr);
}

TEST_F(ShellListInteraction, ARightClickShowsTheSelectionsMenuAtTheIconOrTheFoldersBesideIt)
{
    makeFile(work() + "/picked");
    show(work());
    QPoint shownAt;
    std::vector<std::uint32_t> ids;
    int menus = 0;
    TPTCustomShellList::SetShellMenuTracker(
        [&](QWidget*, const TShellMenu& menu, const QPoint& globalPos) {
            ++menus;
            shownAt = globalPos;
            ids = menu.CommandIds();
            return std::uint32_t(0);
        });
    QWidget* viewport = list->ClientWidget();
    const int row = rowOf("picked");
    const QRect item = list->ItemRect(row, drLabel);
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, item.center());
    ASSERT_EQ(menus, 1);
    const QRect icon = list->ItemRect(row, drIcon);
    EXPECT_EQ(shownAt, viewport->mapToGlobal(
                           QPoint(icon.x() + icon.width() / 2, icon.y() + icon.height() / 2)));
    const auto has = [&](std::uint32_t offset) {
        return std::find(ids.begin(), ids.end(),
                         TPTCustomShellList::kFirstShellCommandId + offset) != ids.end();
    };
    EXPECT_TRUE(has(18)); // Rename: the file has a path and the list is not read-only
    list->SetReadOnly(true);
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, item.center());
    EXPECT_FALSE(has(18));

    // Beside the items: the folder's own menu, with Paste.
    const QPoint empty(500, 350);
    list->ClearSelection();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, empty);
    ASSERT_EQ(menus, 3);
    EXPECT_EQ(shownAt, viewport->mapToGlobal(empty));
    EXPECT_TRUE(has(26));
    EXPECT_FALSE(has(0));

    // The control's own menu goes first there; the option turns shell menus off.
    QMenu own;
    list->SetPopupMenu(&own);
    list->ClearSelection();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, empty);
    own.hide();
    list->SetPopupMenu(nullptr);
    list->SetOptions(list->Options().With(ptsloContextMenus, false));
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, item.center());
    EXPECT_EQ(menus, 3);
}

TEST_F(ShellListInteraction, ADragNearAnEdgeScrollsOneLineAtATime)
{
    for (int i = 0; i < 200; ++i)
        makeFile(work() + "/f" + QByteArray::number(1000 + i));
    makeFile(root() + "/dragged");
    show(work());
    list->SetViewStyle(vsReport);
    QScrollBar* bar = list->ActiveView()->verticalScrollBar();
    bar->setValue(bar->maximum());
    const int bottom = bar->value();
    ASSERT_GT(bottom, 0);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(FileNameToString(root() + "/dragged"))});
    QWidget* viewport = list->ClientWidget();
    const QPoint nearTop(100, 5);
    QDragEnterEvent enter(nearTop, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QTest::qWait(150);
    QDragMoveEvent later(nearTop, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &later);
    EXPECT_EQ(bar->value(), bottom - bar->singleStep());
    // The middle does not scroll.
    QTest::qWait(150);
    QDragMoveEvent middle(QPoint(100, 150), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &middle);
    EXPECT_EQ(bar->value(), bottom - bar->singleStep());
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(viewport, &leave);
    EXPECT_EQ(list->DropTarget(), -1);
}

TEST_F(ShellListInteraction, InADialogEnterOnAFileIsTheDialogsAndOnAFolderTheLists)
{
    makeDir(work() + "/folder");
    makeFile(work() + "/folder/inside");
    makeFile(work() + "/file");
    int opened = 0;
    SetUrlOpener([&](const QUrl&) { return ++opened, true; });
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    list->setParent(&dialog);
    layout->addWidget(list.get());
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    show(work());

    select("folder");
    key(Qt::Key_Return);
    waitForListing();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(captions(), QStringList{"inside"});

    select("inside");
    key(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(opened, 0);
    list->setParent(nullptr);
}

TEST_F(ShellListInteraction, SendToFromTheListsMenuCopiesTheSelectionThere)
{
    // GIVEN a Send To entry that links to a backup folder
    makeDir(work() + "/backup");
    makeFile(work() + "/a.txt", "alpha");
    const QString sendTo = QFile::decodeName(XdgDirs::SendTo());
    ASSERT_TRUE(QDir().mkpath(sendTo));
    ASSERT_TRUE(Succeeded(CreateQuickShortcut(sendTo + QStringLiteral("/Backup.desktop"),
                                              QFile::decodeName(work() + "/backup"))));
    show(work());
    select(QStringLiteral("a.txt"));

    // WHEN the user opens the item's menu and picks the entry in Send To
    QStringList entries;
    const auto previous = TPTShellPopupMenu::SetHandler([&](QMenu* menu) {
        for (QAction* action : menu->actions())
            if (action->menu() && IsSendToPlaceholder(action->menu())) {
                Q_EMIT action->menu()->aboutToShow();
                for (QAction* entry : action->menu()->actions())
                    entries << entry->text();
            }
        return 1; // Send To entry 0
    });
    list->ProcessMenuForAllSelected(QPoint(1, 1));
    TPTShellPopupMenu::SetHandler(previous);

    // THEN the list's own menu offered the library's Send To list, and the file is copied
    EXPECT_EQ(entries, QStringList{QStringLiteral("Backup")});
    QFile copied(QFile::decodeName(work() + "/backup/a.txt"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "alpha");
    EXPECT_TRUE(QFile::exists(QFile::decodeName(work() + "/a.txt")));
}
