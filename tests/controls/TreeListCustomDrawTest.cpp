#include "controls/UPTTreeList.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{

// ---- the drawing object on its own ---------------------------------------

struct Record {
    QImage image{8, 8, QImage::Format_ARGB32};
    QPainter painter{&image};
    TNMLvCustomDraw lv;
    TNMTvCustomDraw tv;
    uint32_t result = 0;

    explicit Record(uint32_t stage)
    {
        painter.setPen(QColor(Qt::black));
        painter.setBackground(QColor(Qt::white));
        for (TNMColorCustomDraw* r :
             {static_cast<TNMColorCustomDraw*>(&lv), static_cast<TNMColorCustomDraw*>(&tv)}) {
            r->dwDrawStage = stage;
            r->hdc = &painter;
            r->clrText = Qt::black;
            r->clrTextBk = Qt::white;
        }
    }
};

TEST(CustomDraw, StagesFollowTheRawValue)
{
    const std::vector<std::pair<uint32_t, TPTCustomDrawStage>> table = {
        {1, ptcdsPrePaint},
        {2, ptcdsPostPaint},
        {0x10001, ptcdsItemPrePaint},
        {0x10002, ptcdsItemPostPaint},
        {3, ptcdsUnknown},
        {0x10003, ptcdsUnknown},
    };
    for (const auto& [raw, stage] : table) {
        Record rec(raw);
        TPTLvCustomDraw cd(&rec.lv, QFont(), &rec.result);
        EXPECT_EQ(cd.GetDrawStage(), stage) << raw;
        EXPECT_EQ(cd.GetIsItem(), (raw & 0x10000) != 0);
    }
}

TEST(CustomDraw, ListAnswerStartsFromZeroWhileTreeKeepsAHandlersResult)
{
    Record rec(ptcd::ItemPrePaint);
    TPTLvCustomDraw list(&rec.lv, QFont(), &rec.result);
    list.SetResult(0x1234);
    list.Apply();
    EXPECT_EQ(rec.result, 0u);

    // A value with none of the answer bits, so an added SkipDefault shows.
    uint32_t treeResult = 0;
    TPTTvCustomDraw tree(&rec.tv, QFont(), &treeResult);
    tree.SetResult(0x1200);
    tree.SkipDefault = true;
    tree.Apply();
    EXPECT_EQ(treeResult, 0x1200u);
}

TEST(CustomDraw, PrePaintOfTheTreeAsksForItemNotificationsTheListDoesNot)
{
    Record rec(ptcd::PrePaint);
    uint32_t listResult = 0, treeResult = 0;
    TPTLvCustomDraw list(&rec.lv, QFont(), &listResult);
    TPTTvCustomDraw tree(&rec.tv, QFont(), &treeResult);
    list.Apply();
    tree.Apply();
    EXPECT_EQ(listResult, 0u);
    EXPECT_EQ(treeResult, ptcd::NotifyItemDraw);
}

TEST(CustomDraw, ChangedFontAndBrushReachTheRecord)
{
    Record rec(ptcd::ItemPrePaint);
    QFont owner;
    owner.setPointSize(9);
    TPTLvCustomDraw cd(&rec.lv, owner, &rec.result);
    EXPECT_EQ(cd.GetFont().Color(), QColor(Qt::black)) << "starts from the current text colour";
    EXPECT_EQ(cd.GetBrush().Color(), QColor(Qt::white)) << "starts from the current background";
    cd.GetFont().SetColor(Qt::red);
    cd.GetFont().SetBold(true);
    cd.GetBrush().SetColor(Qt::blue);
    cd.Apply();
    EXPECT_EQ(rec.lv.clrText, QColor(Qt::red));
    EXPECT_EQ(rec.lv.clrTextBk, QColor(Qt::blue));
    EXPECT_EQ(rec.result, ptcd::NewFont);
    EXPECT_TRUE(rec.painter.font().bold());

    Record skip(ptcd::ItemPrePaint);
    TPTLvCustomDraw skipper(&skip.lv, owner, &skip.result);
    skipper.SkipDefault = true;
    skipper.GetBrush().SetColor(Qt::blue);
    skipper.Apply();
    EXPECT_EQ(skip.result, ptcd::SkipDefault);
    EXPECT_EQ(skip.lv.clrTextBk, QColor(Qt::white)) << "skipping ends the work";
}

// ---- painted pixels ------------------------------------------------------

int CountPixels(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& match)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += match(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool IsBackground(QColor c, QColor base)
{
    return c == base;
}

class ListCustomDraw : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        list.resize(400, 300);
        list.SetColumns({{QStringLiteral("Name"), 200, Qt::AlignLeft}});
        list.SetViewStyle(vsReport);
        list.SetColor(Qt::white);
        for (int i = 0; i < 3; ++i)
            list.Item(list.AddItem()).Caption = QStringLiteral("WWWWWWWW %1").arg(i);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QImage Grab()
    {
        return list.ClientWidget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QRect Label(int row) { return list.ItemRect(row, drLabel); }

    TPTListView list;
};

TEST_F(ListCustomDraw, BrushColourPaintsTheItemBackground)
{
    // GIVEN a handler that gives item 1 a red text background
    list.OnPTCustomDraw = [](TPTCustomListView* self, TPTCustomDraw& cd, TPTListItem* item) {
        if (item && self->IndexOf(item) == 1)
            cd.GetBrush().SetColor(Qt::red);
    };
    // WHEN the list is painted
    const QImage image = Grab();
    // THEN item 1 is red behind its text and item 0 is not
    auto red = [](QColor c) { return c == QColor(Qt::red); };
    EXPECT_GT(CountPixels(image, list.ItemRect(1, drBounds), red), 100);
    EXPECT_EQ(CountPixels(image, list.ItemRect(0, drBounds), red), 0);
}

TEST_F(ListCustomDraw, FontColourPaintsTheText)
{
    list.OnPTCustomDraw = [](TPTCustomListView* self, TPTCustomDraw& cd, TPTListItem* item) {
        if (item && self->IndexOf(item) == 2)
            cd.GetFont().SetColor(QColor(0, 0, 255));
    };
    const QImage image = Grab();
    auto bluish = [](QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 100; };
    EXPECT_GT(CountPixels(image, Label(2), bluish), 5);
    EXPECT_EQ(CountPixels(image, Label(0), bluish), 0);
}

TEST_F(ListCustomDraw, SkipDefaultLeavesTheItemUnpainted)
{
    const QImage before = Grab();
    auto ink = [](QColor c) { return !IsBackground(c, Qt::white); };
    ASSERT_GT(CountPixels(before, Label(1), ink), 5) << "the caption is painted by default";

    list.OnPTCustomDraw = [](TPTCustomListView* self, TPTCustomDraw& cd, TPTListItem* item) {
        if (item && self->IndexOf(item) == 1)
            cd.SkipDefault = true;
    };
    const QImage after = Grab();
    EXPECT_EQ(CountPixels(after, Label(1), ink), 0);
    EXPECT_GT(CountPixels(after, Label(0), ink), 5);
}

TEST_F(ListCustomDraw, ExtendedEventSeesEveryStageAndThePlainOneOnlyItemPrePaint)
{
    std::vector<TPTCustomDrawStage> ex, plain;
    list.OnPTCustomDrawEx = [&](TPTCustomListView*, TPTCustomDraw& cd, TPTListItem* item) {
        ex.push_back(cd.GetDrawStage());
        EXPECT_EQ(item != nullptr, cd.GetIsItem());
    };
    list.OnPTCustomDraw = [&](TPTCustomListView*, TPTCustomDraw& cd, TPTListItem*) {
        plain.push_back(cd.GetDrawStage());
    };
    Grab();
    ASSERT_FALSE(ex.empty());
    EXPECT_EQ(ex.front(), ptcdsPrePaint);
    EXPECT_EQ(std::count(ex.begin(), ex.end(), ptcdsItemPrePaint), 3);
    EXPECT_EQ(plain, std::vector<TPTCustomDrawStage>(3, ptcdsItemPrePaint));
}

TEST_F(ListCustomDraw, IconStylesPaintThroughTheSameEvents)
{
    for (TViewStyle style : {vsList, vsSmallIcon, vsIcon}) {
        list.SetViewStyle(style);
        list.OnPTCustomDraw = [](TPTCustomListView* self, TPTCustomDraw& cd, TPTListItem* item) {
            if (item && self->IndexOf(item) == 1)
                cd.GetBrush().SetColor(Qt::red);
        };
        const QImage image = Grab();
        auto reddish = [](QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; };
        EXPECT_GT(CountPixels(image, list.ItemRect(1, drBounds), reddish), 50) << style;
        EXPECT_EQ(CountPixels(image, list.ItemRect(2, drBounds), reddish), 0) << style;
    }
}

TEST(TreeCustomDraw, BrushAndSkipChangeTheNodesPixels)
{
    TPTTreeView tree;
    tree.resize(300, 200);
    tree.SetColor(Qt::white);
    TPTTreeNode* a = tree.AddChild(nullptr, QStringLiteral("WWWWWWWW a"));
    TPTTreeNode* b = tree.AddChild(nullptr, QStringLiteral("WWWWWWWW b"));
    TPTTreeNode* c = tree.AddChild(nullptr, QStringLiteral("WWWWWWWW c"));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));

    tree.OnPTCustomDraw = [&](TPTCustomTreeView*, TPTCustomDraw& cd, TPTTreeNode* node) {
        if (node == b)
            cd.GetBrush().SetColor(Qt::red);
        if (node == c)
            cd.SkipDefault = true;
    };
    const QImage image = tree.viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    auto red = [](QColor col) { return col == QColor(Qt::red); };
    auto ink = [](QColor col) { return col != QColor(Qt::white); };
    EXPECT_GT(CountPixels(image, tree.NodeRect(b, true), red), 50);
    EXPECT_EQ(CountPixels(image, tree.NodeRect(a, false), red), 0);
    EXPECT_GT(CountPixels(image, tree.NodeRect(a, true), ink), 5);
    EXPECT_EQ(CountPixels(image, tree.NodeRect(c, false), ink), 0);
}

TEST(TreeCustomDraw, ExtendedEventSeesEveryStageAndThePlainOneOnlyItemPrePaint)
{
    TPTTreeView tree;
    tree.resize(300, 200);
    for (const char* text : {"a", "b", "c"})
        tree.AddChild(nullptr, QString::fromLatin1(text));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    std::vector<TPTCustomDrawStage> ex, plain;
    tree.OnPTCustomDrawEx = [&](TPTCustomTreeView*, TPTCustomDraw& cd, TPTTreeNode* node) {
        ex.push_back(cd.GetDrawStage());
        EXPECT_EQ(node != nullptr, cd.GetIsItem());
        if (cd.GetDrawStage() == ptcdsItemPrePaint)
            cd.SetResult(ptcd::NotifyPostPaint); // so the item's post-paint stage comes too
    };
    tree.OnPTCustomDraw = [&](TPTCustomTreeView*, TPTCustomDraw& cd, TPTTreeNode*) {
        plain.push_back(cd.GetDrawStage());
    };
    tree.viewport()->grab();
    ASSERT_FALSE(ex.empty());
    EXPECT_EQ(ex.front(), ptcdsPrePaint);
    EXPECT_EQ(std::count(ex.begin(), ex.end(), ptcdsItemPrePaint), 3);
    EXPECT_EQ(std::count(ex.begin(), ex.end(), ptcdsItemPostPaint), 3);
    EXPECT_EQ(plain, std::vector<TPTCustomDrawStage>(3, ptcdsItemPrePaint));
}

} // namespace
