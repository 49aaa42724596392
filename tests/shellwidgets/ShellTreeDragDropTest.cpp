#include "ShellTreeDataHomeFixture.h"

#include "platform/GlobalMemory.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/shell95/OleConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

using ShellTreeDragDrop = ShellTreeDataHomeFixture;

namespace
{

// Drives the tree's viewport with Qt's own drag events, as a drag from
// another program would: enter, a move, then the drop at one point.
struct DragOutcome {
    bool enterAccepted = false;
    bool moveAccepted = false;
    bool dropAccepted = false;
    Qt::DropAction dropAction = Qt::IgnoreAction;
};

DragOutcome dragOnto(TPTCustomShellTree* tree, const QPoint& at, const QMimeData& data,
                     Qt::DropActions actions, Qt::MouseButtons buttons = Qt::LeftButton)
{
    DragOutcome outcome;
    QWidget* viewport = tree->viewport();
    QDragEnterEvent enter(at, actions, &data, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    outcome.enterAccepted = enter.isAccepted();
    QDragMoveEvent move(at, actions, &data, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    outcome.moveAccepted = move.isAccepted();
    QDropEvent drop(at, actions, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    outcome.dropAccepted = drop.isAccepted();
    outcome.dropAction = drop.dropAction();
    return outcome;
}

QMimeData* filesData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

} // namespace

TEST_F(ShellTreeDragDrop, DroppingAFolderOntoANodeCopiesOrMovesItAndRefreshes)
{
    MakeFolders({"dest/old", "src/payload/deep", "src/moved"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    TPTTreeNode* dest = Child(Root(), "dest");
    tree->ExpandNode(dest);
    const QPoint at = tree->NodeRect(dest, true).center();

    std::unique_ptr<QMimeData> copy(filesData({Path("src/payload")}));
    DragOutcome outcome = dragOnto(tree.get(), at, *copy, Qt::CopyAction);
    EXPECT_TRUE(outcome.moveAccepted);
    EXPECT_EQ(outcome.dropAction, Qt::CopyAction);
    EXPECT_TRUE(QDir(Path("dest/payload/deep")).exists());
    EXPECT_TRUE(QDir(Path("src/payload/deep")).exists());
    EXPECT_EQ(Captions(dest), (QStringList{"old", "payload"}));

    std::unique_ptr<QMimeData> move(filesData({Path("src/moved")}));
    outcome = dragOnto(tree.get(), at, *move, Qt::MoveAction);
    EXPECT_EQ(outcome.dropAction, Qt::MoveAction);
    EXPECT_TRUE(QDir(Path("dest/moved")).exists());
    EXPECT_FALSE(QDir(Path("src/moved")).exists());
    EXPECT_EQ(Captions(dest), (QStringList{"moved", "old", "payload"}));
    EXPECT_EQ(tree->DropTarget(), nullptr);
    EXPECT_EQ(messageBoxes, 0);
    EXPECT_EQ(dropMenus, 0);
}

TEST_F(ShellTreeDragDrop, ARightButtonDropAsksWithTheDropMenu)
{
    MakeFolders({"dest", "src/item"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    const QPoint at = tree->NodeRect(Child(Root(), "dest"), true).center();
    std::unique_ptr<QMimeData> data(filesData({Path("src/item")}));

    dropMenuAnswer = 0; // Cancel
    dragOnto(tree.get(), at, *data, Qt::CopyAction | Qt::MoveAction, Qt::RightButton);
    EXPECT_EQ(dropMenus, 1);
    EXPECT_FALSE(QDir(Path("dest/item")).exists());

    dropMenuAnswer = DROPEFFECT_COPY;
    dragOnto(tree.get(), at, *data, Qt::CopyAction | Qt::MoveAction, Qt::RightButton);
    EXPECT_EQ(dropMenus, 2);
    EXPECT_TRUE(QDir(Path("dest/item")).exists());
    EXPECT_TRUE(QDir(Path("src/item")).exists());
}

TEST_F(ShellTreeDragDrop, CorruptOrForeignDataIsRefusedWithNoEffect)
{
    MakeFolders({"dest"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    const QPoint at = tree->NodeRect(Child(Root(), "dest"), true).center();

    QMimeData corrupt;
    corrupt.setData(kShellIdListMimeType, QByteArray("\xff\xff\xff\x7f garbage", 12));
    DragOutcome outcome = dragOnto(tree.get(), at, corrupt, Qt::CopyAction);
    EXPECT_FALSE(outcome.enterAccepted);
    EXPECT_FALSE(outcome.dropAccepted);

    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.invalid/file.txt"))});
    outcome = dragOnto(tree.get(), at, remote, Qt::CopyAction);
    EXPECT_FALSE(outcome.dropAccepted);

    EXPECT_TRUE(QDir(Path("dest")).isEmpty());
    EXPECT_EQ(messageBoxes, 0);
    EXPECT_EQ(tree->DropTarget(), nullptr);

    // A well-formed array naming objects of no folder: reading the dragged
    // items' abilities fails, the error is shown, the drop has no effect and
    // the tree goes on.
    const QByteArray foreignItem("\x06\x00zzzz\x00\x00", 8);
    TIdListPtr parent(IdListFromBytes(nullptr, foreignItem));
    TIdListPtr item(IdListFromBytes(nullptr, foreignItem));
    ASSERT_TRUE(parent && item);
    HGLOBAL block = nullptr;
    ASSERT_TRUE(Succeeded(BuildIdListArray(parent.get(), {item.get()}, &block)));
    QMimeData foreign;
    foreign.setData(kShellIdListMimeType, BytesOfGlobal(block));
    foreign.setUrls({QUrl::fromLocalFile(Path("dest"))});
    GlobalFree(block);
    outcome = dragOnto(tree.get(), at, foreign, Qt::CopyAction);
    EXPECT_FALSE(outcome.dropAccepted);
    EXPECT_EQ(messageBoxes, 1);
    EXPECT_TRUE(QDir(Path("dest")).isEmpty());
    EXPECT_EQ(tree->DropTarget(), nullptr);
}

TEST_F(ShellTreeDragDrop, HoveringNearTheTopScrollsOneLineEvery100Ms)
{
    QStringList folders;
    for (int i = 0; i < 60; ++i)
        folders << QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'));
    MakeFolders(folders);
    MakeTree();
    tree->resize(200, 200);
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    std::int64_t now = 1000;
    tree->DragAutoScroll().SetClock([&now] { return now; });
    QScrollBar* bar = tree->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int start = bar->value();
    const QPoint top = tree->viewport()->mapToGlobal(QPoint(100, 10));
    const QPoint middle = tree->viewport()->mapToGlobal(QPoint(100, 100));

    std::uint32_t effect = DROPEFFECT_COPY;
    tree->OnDropTarget_DragEnter(nullptr, MK_LBUTTON, TPointL{top.x(), top.y()}, effect);
    const auto over = [&](const QPoint& p) {
        std::uint32_t e = DROPEFFECT_COPY;
        tree->OnDropTarget_DragOver(MK_LBUTTON, TPointL{p.x(), p.y()}, e);
        return e;
    };
    now += 50;
    EXPECT_TRUE(over(top) & DROPEFFECT_SCROLL);
    EXPECT_EQ(bar->value(), start);
    now += 50;
    over(top);
    EXPECT_EQ(bar->value(), start - bar->singleStep());
    now += 99;
    over(top);
    EXPECT_EQ(bar->value(), start - bar->singleStep());
    now += 1;
    over(top);
    EXPECT_EQ(bar->value(), start - 2 * bar->singleStep());
    now += 500;
    over(middle);
    EXPECT_EQ(bar->value(), start - 2 * bar->singleStep());
    tree->OnDropTarget_DragLeave();
}

TEST_F(ShellTreeDragDrop, DraggingANodeRunsTheDragLoopAndClearsItsStateAfterwards)
{
    MakeFolders({"alpha", "beta"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    TPTTreeNode* alpha = Child(Root(), "alpha");
    EXPECT_EQ(tree->GetDragDropAttributesForNode(alpha),
              DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    bool started = false;
    tree->OnBeginDrag = [&](TPTCustomTreeView*, TPTTreeNode*, Qt::MouseButton) { started = true; };
    // The offscreen platform ends every drag at once, without a drop.
    const QPoint from = tree->NodeRect(alpha, true).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(tree->viewport(), from + QPoint(0, 3 * QApplication::startDragDistance()));
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, from);
    EXPECT_FALSE(started); // the tree's own drag, not the base's event
    EXPECT_FALSE(tree->InMenuOrDrag());
    EXPECT_EQ(tree->DragSourceNode(), nullptr);
    EXPECT_EQ(tree->DropTarget(), nullptr);
    EXPECT_TRUE(QDir(Path("alpha")).exists());

    tree->SetOptions(kDefaultShellTreeOptions & ~ptstoOleDrag);
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(tree->viewport(), from + QPoint(0, 3 * QApplication::startDragDistance()));
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, from);
    EXPECT_TRUE(started);
}
