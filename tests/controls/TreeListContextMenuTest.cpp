#include "controls/UPTTreeList.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

QPoint Centre(const QRect& r)
{
    return QPoint((r.x() + r.x() + r.width()) / 2, (r.y() + r.y() + r.height()) / 2);
}

// Each test closes what it opened, so menus never pile up between tests.
struct Menus {
    QMenu own;
    QMenu other;
    QSignalSpy ownShown{&own, &QMenu::aboutToShow};
    QSignalSpy otherShown{&other, &QMenu::aboutToShow};

    Menus()
    {
        own.addAction(QStringLiteral("Own"));
        other.addAction(QStringLiteral("Other"));
    }
    ~Menus()
    {
        own.hide();
        other.hide();
    }
};

class ListMenu : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        list.resize(400, 300);
        list.SetColumns({{QStringLiteral("Name"), 200, Qt::AlignLeft},
                         {QStringLiteral("Size"), 80, Qt::AlignRight}});
        list.SetViewStyle(vsReport);
        for (int i = 0; i < 4; ++i)
            list.Item(list.AddItem()).Caption = QStringLiteral("item %1").arg(i);
        list.SetPopupMenu(&menus.own);
        list.OnItemContextMenu = [this](TPTCustomListView*, TPTListItem* item, QPoint& pos,
                                        QMenu*&) {
            ++calls;
            lastItem = item ? list.IndexOf(item) : -1;
            lastPos = pos;
        };
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QWidget* Client() { return list.ClientWidget(); }
    QPoint LabelPoint(int row) { return list.ItemRect(row, drLabel).center(); }

    Menus menus;
    TPTListView list;
    int calls = 0;
    int lastItem = -2;
    QPoint lastPos;
};

TEST_F(ListMenu, RightClickOnAnItemShowsOneMenuAtTheCentreOfItsIcon)
{
    // WHEN item 2 is right-clicked on its caption
    QTest::mouseClick(Client(), Qt::RightButton, {}, LabelPoint(2));
    // THEN the item step ran once, for the focused item, at its icon's centre
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastItem, 2);
    EXPECT_EQ(lastPos, Centre(list.ItemRect(2, drIcon)));
    EXPECT_EQ(menus.ownShown.count(), 1);
    EXPECT_EQ(menus.own.pos(), Client()->mapToGlobal(lastPos));
    EXPECT_FALSE(list.ContextMenuShown()) << "cleared by the end of the click";
}

TEST_F(ListMenu, TheWindowSystemsOwnContextMenuEventsAddNoSecondMenu)
{
    // GIVEN the click was handled, as a window system would report it the
    // mouse-triggered context-menu event follows (on X11 at the press)
    const QPoint at = LabelPoint(2);
    QTest::mouseClick(Client(), Qt::RightButton, {}, at);
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, at, Client()->mapToGlobal(at));
    QApplication::sendEvent(Client(), &mouse);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0),
                          Client()->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(Client(), &key);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(menus.ownShown.count(), 1);
    menus.own.hide();

    // a program's request is served at its position
    const QPoint where(30, 40);
    QContextMenuEvent other(QContextMenuEvent::Other, where, Client()->mapToGlobal(where));
    QApplication::sendEvent(Client(), &other);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(lastPos, where);
    EXPECT_EQ(menus.ownShown.count(), 2);
}

TEST_F(ListMenu, TheEventCanReplaceTheMenuAndThePosition)
{
    list.OnItemContextMenu = [this](TPTCustomListView*, TPTListItem*, QPoint& pos, QMenu*& menu) {
        menu = &menus.other;
        pos = QPoint(5, 7);
    };
    QTest::mouseClick(Client(), Qt::RightButton, {}, LabelPoint(1));
    EXPECT_EQ(menus.ownShown.count(), 0);
    EXPECT_EQ(menus.otherShown.count(), 1);
    EXPECT_EQ(menus.other.pos(), Client()->mapToGlobal(QPoint(5, 7)));
    EXPECT_EQ(menus.other.property("PopupComponent").value<QObject*>(), &list);
}

TEST_F(ListMenu, AHandlerThatRemovesTheMenuShowsNothing)
{
    list.OnItemContextMenu = [](TPTCustomListView*, TPTListItem*, QPoint&, QMenu*& menu) {
        menu = nullptr;
    };
    QTest::mouseClick(Client(), Qt::RightButton, {}, LabelPoint(1));
    EXPECT_EQ(menus.ownShown.count(), 0);
}

TEST_F(ListMenu, RightClickOnEmptySpaceShowsTheOwnMenuAtTheMouse)
{
    // GIVEN nothing selected
    const QPoint empty(300, 250);
    ASSERT_EQ(list.ItemAt(empty), -1);
    QTest::mouseClick(Client(), Qt::RightButton, {}, empty);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(menus.ownShown.count(), 1);
    EXPECT_EQ(menus.own.pos(), Client()->mapToGlobal(empty));
}

TEST_F(ListMenu, MenuKeyAndShiftF10UseTheFocusedItem)
{
    list.SetItemFocused(3);
    list.SetSelected(3, true);
    list.setFocus();
    QTest::keyClick(Client(), Qt::Key_Menu);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastItem, 3);
    EXPECT_EQ(lastPos, Centre(list.ItemRect(3, drIcon)));
    menus.own.hide();

    QTest::keyClick(Client(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(menus.ownShown.count(), 2);
    EXPECT_TRUE(list.ContextMenuShown()) << "only a right-button-up clears it";
}

TEST_F(ListMenu, WithTheFocusOffTheSelectionTheFirstSelectedItemIsUsed)
{
    list.SetSelected(1, true);
    list.SetSelected(2, true);
    list.SetItemFocused(0);
    QTest::keyClick(Client(), Qt::Key_Menu);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastPos, Centre(list.ItemRect(1, drIcon)));
    EXPECT_EQ(lastItem, 0) << "the event still names the focused item";
}

TEST_F(ListMenu, IconStylesUseTheirOwnIconRectangles)
{
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    TPTImageList images(QSize(32, 32));
    images.Add(icon.pixmap(32));
    list.SetLargeImages(&images);
    for (int i = 0; i < list.ItemCount(); ++i)
        list.Item(i).ImageIndex = 0;
    list.SetViewStyle(vsIcon);
    ASSERT_FALSE(list.ItemRect(1, drIcon).isEmpty());
    QTest::mouseClick(Client(), Qt::RightButton, {}, list.ItemRect(1, drIcon).center());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastItem, 1);
    EXPECT_EQ(lastPos, Centre(list.ItemRect(1, drIcon)));
    EXPECT_EQ(menus.ownShown.count(), 1);
}

class TreeMenu : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        tree.resize(300, 300);
        a = tree.AddChild(nullptr, QStringLiteral("alpha"));
        b = tree.AddChild(nullptr, QStringLiteral("beta"));
        tree.SetPopupMenu(&menus.own);
        tree.OnNodeContextMenu = [this](TPTCustomTreeView*, TPTTreeNode* node, QPoint& pos,
                                        QMenu*&) {
            ++calls;
            lastNode = node;
            lastPos = pos;
        };
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }

    Menus menus;
    TPTTreeView tree;
    TPTTreeNode* a = nullptr;
    TPTTreeNode* b = nullptr;
    int calls = 0;
    TPTTreeNode* lastNode = nullptr;
    QPoint lastPos;
};

TEST_F(TreeMenu, RightClickOnANodeShowsOneMenuThereWithoutSelectingIt)
{
    tree.SetSelected(a);
    const QPoint at = tree.NodeRect(b, true).center();
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastNode, b);
    EXPECT_EQ(lastPos, at);
    EXPECT_EQ(menus.ownShown.count(), 1);
    EXPECT_EQ(tree.Selected(), a);
    EXPECT_FALSE(tree.ContextMenuShown());
}

TEST_F(TreeMenu, RightClickBesideTheNodesUsesTheSelectedNodeAtTheMouse)
{
    tree.SetSelected(b);
    const QPoint empty(150, 280);
    ASSERT_EQ(tree.NodeAt(empty), nullptr);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, empty);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastNode, b);
    EXPECT_EQ(lastPos, empty);
    EXPECT_EQ(menus.ownShown.count(), 1);
}

TEST_F(TreeMenu, TheMenuKeyUsesTheCentreOfTheSelectedNodesText)
{
    tree.SetSelected(b);
    tree.setFocus();
    QTest::keyClick(tree.viewport(), Qt::Key_Menu);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lastPos, Centre(tree.NodeRect(b, true)));
    EXPECT_EQ(menus.ownShown.count(), 1);
}

TEST_F(TreeMenu, WithoutASelectedNodeTheOwnMenuShowsAtTheTopLeft)
{
    tree.SetSelected(nullptr);
    QTest::keyClick(tree.viewport(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(menus.ownShown.count(), 1);
    EXPECT_EQ(menus.own.pos(), tree.viewport()->mapToGlobal(QPoint(0, 0)));
}

TEST_F(TreeMenu, AReplacedMenuIsShownOnceForOneClick)
{
    tree.OnNodeContextMenu = [this](TPTCustomTreeView*, TPTTreeNode*, QPoint&, QMenu*& menu) {
        menu = &menus.other;
    };
    tree.SetSelected(a);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.NodeRect(a, true).center());
    EXPECT_EQ(menus.otherShown.count(), 1);
    EXPECT_EQ(menus.ownShown.count(), 0);
}

} // namespace
