#include "controls/UPTTreeList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{

// Polls the event loop until the condition holds or five seconds pass.
bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500 && !condition(); ++i)
        QTest::qWait(10);
    return condition();
}

// ---- list ----------------------------------------------------------------

class ListView : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        list.resize(400, 300);
        list.SetColumns({{QStringLiteral("Name"), 150, Qt::AlignLeft},
                         {QStringLiteral("Size"), 80, Qt::AlignRight}});
        list.OnGetDispText = [this](TPTCustomListView*, TPTListItem* item, int column,
                                    QString& text) {
            ++asked;
            const auto id = reinterpret_cast<quintptr>(item->Data);
            text = column == 0 ? QStringLiteral("file %1").arg(id)
                               : QString::number(1000 - qint64(id));
        };
    }

    void Fill(int count)
    {
        list.BeginUpdate();
        for (int i = 0; i < count; ++i) {
            TPTListItem& item = list.Item(list.AddItem());
            item.CaptionOnDemand = true;
            item.SubItems = QStringList{QString()};
            item.Data = reinterpret_cast<void*>(quintptr(i));
        }
        list.EndUpdate();
    }

    void Show()
    {
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QString Text(int row, int column)
    {
        return list.Model()->data(list.Model()->index(row, column), Qt::DisplayRole).toString();
    }

    TPTListView list;
    int asked = 0;
};

TEST_F(ListView, ABatchedFillIsAnnouncedOnceAndTextsAreAskedOnlyWhenShown)
{
    QSignalSpy inserted(list.Model(), &QAbstractItemModel::rowsInserted);
    list.BeginUpdate();
    Fill(5000);
    EXPECT_EQ(list.Model()->rowCount(), 0) << "the views learn of the items at the end";
    EXPECT_EQ(list.ItemCount(), 5000);
    list.EndUpdate();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(list.Model()->rowCount(), 5000);

    list.SetViewStyle(vsReport);
    Show();
    list.ClientWidget()->grab();
    EXPECT_GT(asked, 0);
    EXPECT_LT(asked, 500) << "only the visible rows are asked for";
    EXPECT_EQ(Text(4321, 0), QStringLiteral("file 4321"));
    EXPECT_EQ(Text(4321, 1), QStringLiteral("-3321"));
}

TEST_F(ListView, StoredTextsAreNotAskedFor)
{
    const int row = list.AddItem();
    list.Item(row).Caption = QStringLiteral("stored");
    list.Item(row).SubItems = QStringList{QStringLiteral("12 KB")};
    EXPECT_EQ(Text(row, 0), QStringLiteral("stored"));
    EXPECT_EQ(Text(row, 1), QStringLiteral("12 KB"));
    EXPECT_EQ(asked, 0);
}

TEST_F(ListView, EveryStyleShowsTheSameSelectionAndFocus)
{
    Fill(50);
    Show();
    list.SetSelected(3, true);
    list.SetSelected(7, true);
    list.SetItemFocused(7);
    for (TViewStyle style : {vsReport, vsList, vsSmallIcon, vsIcon}) {
        list.SetViewStyle(style);
        EXPECT_EQ(list.GetViewStyle(), style);
        EXPECT_EQ(list.SelectedRows(), (std::vector<int>{3, 7})) << style;
        EXPECT_EQ(list.ItemFocused(), 7) << style;
        EXPECT_EQ(list.ItemAt(list.ItemRect(7, drLabel).center()), 7) << style;
    }
}

TEST_F(ListView, SortingMovesTheSelectionWithItsItem)
{
    Fill(10);
    list.SetSelected(2, true);
    list.SetItemFocused(2);
    list.SortByColumnText(0, false); // "file 9" ... "file 0"
    EXPECT_EQ(Text(0, 0), QStringLiteral("file 9"));
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{7});
    EXPECT_EQ(list.ItemFocused(), 7);
    EXPECT_EQ(reinterpret_cast<quintptr>(list.Item(7).Data), 2u);
}

TEST_F(ListView, DeletingAndClearingPassEveryItemThroughTheHook)
{
    Fill(4);
    std::vector<quintptr> deleted;
    list.OnDeletion = [&](TPTCustomListView*, TPTListItem* item) {
        deleted.push_back(reinterpret_cast<quintptr>(item->Data));
    };
    list.SetDropTarget(3);
    list.DeleteItem(1);
    EXPECT_EQ(list.DropTarget(), 2) << "the highlight stays on its item";
    list.ClearItems();
    EXPECT_EQ(deleted, (std::vector<quintptr>{1, 0, 2, 3}));
    EXPECT_EQ(list.DropTarget(), -1);
}

TEST_F(ListView, EditingCanBeVetoedAndTheNewCaptionChanged)
{
    Fill(3);
    list.SetViewStyle(vsReport);
    Show();
    bool allow = false;
    list.OnEditing = [&](TPTCustomListView*, TPTListItem*, bool& a) { a = allow; };
    list.OnEdited = [](TPTCustomListView*, TPTListItem*, QString& text) {
        text += QStringLiteral(".txt");
    };

    list.EditCaption(1);
    EXPECT_FALSE(list.IsEditing());

    allow = true;
    list.EditCaption(1);
    ASSERT_TRUE(list.IsEditing());
    auto* editor = list.ClientWidget()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([this] { return !list.IsEditing(); }));
    EXPECT_EQ(list.Item(1).Caption, QStringLiteral("renamed.txt"));
    EXPECT_FALSE(list.Item(1).CaptionOnDemand);

    list.SetReadOnly(true);
    list.EditCaption(2);
    EXPECT_FALSE(list.IsEditing());
}

TEST(ListViewWindow, ClosingTheWindowDuringAnEditReportsNothingToTheDestroyedList)
{
    // A list that is its own window commits an open editor when the window
    // closes in its destructor; by then the list is gone.
    int edited = 0;
    auto* list = new TPTListView;
    list->resize(200, 150);
    list->Item(list->AddItem()).Caption = QStringLiteral("name");
    list->OnEdited = [&](TPTCustomListView*, TPTListItem*, QString&) { ++edited; };
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    list->activateWindow();
    list->EditCaption(0);
    ASSERT_TRUE(list->IsEditing());
    delete list;
    EXPECT_EQ(edited, 0);
}

TEST_F(ListView, DraggingAnItemReportsTheButton)
{
    Fill(5);
    list.SetViewStyle(vsReport);
    Show();
    std::vector<std::pair<int, Qt::MouseButton>> drags;
    list.OnBeginDrag = [&](TPTCustomListView* self, TPTListItem* item, Qt::MouseButton button) {
        drags.emplace_back(self->IndexOf(item), button);
    };
    // Only the left and the right button drag; the middle one does not.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        const QPoint from = list.ItemRect(2, drLabel).center();
        QTest::mousePress(list.ClientWidget(), button, {}, from);
        QTest::mouseMove(list.ClientWidget(),
                         from + QPoint(QApplication::startDragDistance() + 5, 0));
        QTest::mouseRelease(list.ClientWidget(), button, {},
                            from + QPoint(QApplication::startDragDistance() + 5, 0));
    }
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_EQ(drags[0], std::make_pair(2, Qt::LeftButton));
    EXPECT_EQ(drags[1], std::make_pair(2, Qt::RightButton));
}

TEST_F(ListView, RowsGrowWithALargerFontInTheListAndSmallIconStyles)
{
    Fill(30);
    Show();
    for (TViewStyle style : {vsList, vsSmallIcon}) {
        list.SetViewStyle(style);
        QFont font = list.font();
        font.setPointSize(font.pointSize() * 2);
        list.setFont(font);
        const int textHeight = QFontMetrics(font).height();
        const QRect first = list.ItemRect(0, drBounds);
        EXPECT_GE(first.height(), textHeight) << style;
        // The next row starts below the whole first one.
        int row = 1;
        while (row < list.ItemCount() && list.ItemRect(row, drBounds).top() == first.top())
            ++row;
        ASSERT_LT(row, list.ItemCount());
        EXPECT_GE(list.ItemRect(row, drBounds).top(), first.top() + textHeight) << style;
        list.setFont(QFont());
    }
}

TEST_F(ListView, ScrollingByLinesAndColumns)
{
    Fill(500);
    list.SetViewStyle(vsReport);
    Show();
    QScrollBar* bar = list.ActiveView()->verticalScrollBar();
    EXPECT_FALSE(list.CanScroll(Qt::Vertical, -1));
    EXPECT_TRUE(list.CanScroll(Qt::Vertical, 1));
    list.ScrollLines(3);
    EXPECT_EQ(bar->value(), 3 * bar->singleStep());
    list.ScrollLines(-1);
    EXPECT_EQ(bar->value(), 2 * bar->singleStep());

    list.SetViewStyle(vsList); // the list style grows sideways
    EXPECT_TRUE(list.CanScroll(Qt::Horizontal, 1));
    list.ScrollColumns(1);
    EXPECT_GT(list.ActiveView()->horizontalScrollBar()->value(), 0);
}

TEST_F(ListView, TheBackgroundFollowsColourAlsoASystemColour)
{
    Fill(1);
    list.SetViewStyle(vsReport);
    Show();
    auto corner = [this] {
        QWidget* client = list.ClientWidget();
        return client->grab().toImage().pixelColor(client->width() - 5, client->height() - 5);
    };
    list.SetColor(QColor(10, 20, 30));
    EXPECT_EQ(corner(), QColor(10, 20, 30));

    const QPalette saved = QApplication::palette();
    list.SetSystemColor(QPalette::Base);
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(200, 100, 50));
    QApplication::setPalette(changed); // announced through the event loop
    EXPECT_TRUE(WaitFor([&] { return corner() == QColor(200, 100, 50); }));
    QApplication::setPalette(saved);
}

// ---- tree ----------------------------------------------------------------

TEST(TreeView, ChildrenAreFilledOnFirstExpansionUnlessVetoed)
{
    TPTTreeView tree;
    TPTTreeNode* lazy = tree.AddChild(nullptr, QStringLiteral("lazy"));
    lazy->SetHasChildren(true);
    int fills = 0;
    int collapses = 0;
    bool allow = false;
    tree.OnExpanding = [&](TPTCustomTreeView*, TPTTreeNode*, bool& a) { a = allow; };
    tree.OnCollapsed = [&](TPTCustomTreeView*, TPTTreeNode*) { ++collapses; };
    tree.OnExpanded = [&](TPTCustomTreeView* self, TPTTreeNode* node) {
        if (node->Count() == 0) {
            ++fills;
            self->AddChild(node, QStringLiteral("child 1"));
            self->AddChild(node, QStringLiteral("child 0"));
        }
    };
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    EXPECT_TRUE(tree.Model()->hasChildren(tree.Model()->index(0, 0)))
        << "the button shows before the fill";

    tree.ExpandNode(lazy);
    EXPECT_FALSE(tree.IsExpanded(lazy));
    EXPECT_EQ(fills, 0);
    EXPECT_EQ(collapses, 0) << "a refused expansion is no collapse";

    allow = true;
    tree.ExpandNode(lazy);
    EXPECT_TRUE(tree.IsExpanded(lazy));
    EXPECT_EQ(fills, 1);
    tree.AlphaSort(lazy);
    EXPECT_EQ(lazy->Item(0)->Text(), QStringLiteral("child 0"));
    EXPECT_EQ(lazy->Item(1)->Index(), 1);

    tree.CollapseNode(lazy);
    EXPECT_EQ(collapses, 1);
    tree.ExpandNode(lazy);
    EXPECT_EQ(fills, 1) << "filled once and kept";
}

TEST(TreeView, TheExpandButtonFollowsHasChildren)
{
    TPTTreeView tree;
    TPTTreeNode* node = tree.AddChild(nullptr, QStringLiteral("folder"));
    node->SetHasChildren(true);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    const QRect row = tree.visualRect(tree.Model()->IndexOf(node));
    auto branchInk = [&] {
        const QImage image = tree.viewport()->grab().toImage();
        int ink = 0;
        for (int x = 0; x < row.x(); ++x)
            for (int y = row.top(); y <= row.bottom(); ++y)
                ink += image.pixelColor(x, y) != image.pixelColor(0, image.height() - 1) ? 1 : 0;
        return ink;
    };
    ASSERT_GT(branchInk(), 0) << "a button before the node is filled";
    // WHEN a refresh finds the folder empty while it is collapsed
    node->SetHasChildren(false);
    // THEN the button goes at once
    EXPECT_EQ(branchInk(), 0);
}

TEST(TreeView, DragAndDropHighlight)
{
    TPTTreeView tree;
    TPTTreeNode* a = tree.AddChild(nullptr, QStringLiteral("alpha"));
    TPTTreeNode* b = tree.AddChild(nullptr, QStringLiteral("beta"));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    std::vector<std::pair<TPTTreeNode*, Qt::MouseButton>> drags;
    tree.OnBeginDrag = [&](TPTCustomTreeView*, TPTTreeNode* node, Qt::MouseButton button) {
        drags.emplace_back(node, button);
    };
    const QPoint from = tree.NodeRect(b, true).center();
    const QPoint to = from + QPoint(QApplication::startDragDistance() + 5, 0);
    QTest::mousePress(tree.viewport(), Qt::RightButton, {}, from);
    QTest::mouseMove(tree.viewport(), to);
    QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, to);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0], std::make_pair(b, Qt::RightButton));

    tree.SetDropTarget(a);
    EXPECT_EQ(tree.DropTarget(), a);
    tree.DeleteNode(a);
    EXPECT_EQ(tree.DropTarget(), nullptr) << "a deleted node is no longer highlighted";
}

TEST(TreeView, DestructionPassesEveryNodeDepthFirst)
{
    std::vector<QString> order;
    {
        TPTTreeView tree;
        TPTTreeNode* a = tree.AddChild(nullptr, QStringLiteral("A"));
        TPTTreeNode* a1 = tree.AddChild(a, QStringLiteral("A1"));
        tree.AddChild(a1, QStringLiteral("A1a"));
        tree.AddChild(a, QStringLiteral("A2"));
        tree.AddChild(nullptr, QStringLiteral("B"));
        tree.OnDeletion = [&](TPTCustomTreeView*, TPTTreeNode* node) {
            order.push_back(node->Text());
        };
    }
    EXPECT_EQ(order, (std::vector<QString>{"A1a", "A1", "A2", "A", "B"}));
}

TEST(TreeView, NodesKeepTheirDataAndImagesAreAskedForTheSelectedState)
{
    TPTTreeView tree;
    int payload = 42;
    TPTTreeNode* a = tree.AddChild(nullptr, QStringLiteral("a"));
    TPTTreeNode* b = tree.AddChild(nullptr, QStringLiteral("b"));
    a->SetData(&payload);
    std::vector<std::pair<TPTTreeNode*, bool>> asked;
    tree.OnGetImageIndex = [&](TPTCustomTreeView*, TPTTreeNode* node) {
        asked.emplace_back(node, false);
    };
    tree.OnGetSelectedIndex = [&](TPTCustomTreeView*, TPTTreeNode* node) {
        asked.emplace_back(node, true);
    };
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    TPTImageList images(QSize(16, 16));
    images.Add(icon.pixmap(16));
    tree.SetImages(&images);
    tree.SetSelected(b);
    tree.Model()->data(tree.Model()->index(0, 0), Qt::DecorationRole);
    tree.Model()->data(tree.Model()->index(1, 0), Qt::DecorationRole);
    EXPECT_EQ(asked, (std::vector<std::pair<TPTTreeNode*, bool>>{{a, false}, {b, true}}));
    EXPECT_EQ(*static_cast<int*>(a->Data()), 42);
}

TEST(TreeView, EditingAsksTheVetoAndTakesTheEditedText)
{
    TPTTreeView tree;
    TPTTreeNode* a = tree.AddChild(nullptr, QStringLiteral("a"));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    int asked = 0;
    tree.OnEditing = [&](TPTCustomTreeView*, TPTTreeNode* node, bool& allow) {
        ++asked;
        allow = node == a;
    };
    tree.EditCaption(a);
    EXPECT_EQ(asked, 1);
    auto* editor = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return a->Text() == QStringLiteral("renamed"); }));
}

TEST(TreeView, TheBackgroundFollowsColourAlsoASystemColour)
{
    TPTTreeView tree;
    tree.resize(200, 200);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    auto corner = [&] { return tree.viewport()->grab().toImage().pixelColor(150, 150); };
    tree.SetColor(QColor(10, 20, 30));
    EXPECT_EQ(corner(), QColor(10, 20, 30));

    const QPalette saved = QApplication::palette();
    tree.SetSystemColor(QPalette::Base);
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(200, 100, 50));
    QApplication::setPalette(changed);
    EXPECT_TRUE(WaitFor([&] { return corner() == QColor(200, 100, 50); }));
    QApplication::setPalette(saved);
    EXPECT_TRUE(WaitFor([&] { return corner() == saved.color(QPalette::Base); }));
}

} // namespace
