#include "controls/UPTSplitter.h"
#include "controls/splitter/TPTSizingLine.h"

#include <QImage>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// The splitter of the Open/Save form: 447 x 153, bar 5, pane minimums 4 and 60.
// It sits in a shown host so that resizing it is delivered at once.
struct DialogSplitter {
    QWidget host;
    TPTSplitter* splitter = new TPTSplitter(&host);
    int changes = 0;
    int resizes = 0;
    std::vector<int> drags;
    std::vector<int> drops;

    DialogSplitter()
    {
        host.resize(1000, 400);
        splitter->setObjectName(QStringLiteral("PTSplitter1"));
        splitter->SetSplitterWidth(5);
        splitter->SetPaneMinSize(0, 4);
        splitter->SetPaneMinSize(1, 60);
        splitter->setGeometry(0, 0, 447, 153);
        host.show();
        splitter->SetPosition(141);
        splitter->OnChange = [this](QObject*) { ++changes; };
        splitter->OnResize = [this](QObject*) { ++resizes; };
        splitter->OnSplitterDrag = [this](QObject*, int c) { drags.push_back(c); };
        splitter->OnSplitterDrop = [this](QObject*, int p) { drops.push_back(p); };
    }

    TPTPane* Pane(int i) const { return splitter->GetPane(i); }
    QPoint Bar(int offset = 2) const { return QPoint(splitter->Position() + offset, 70); }
};

} // namespace

TEST(Splitter, DefaultsAndPanes)
{
    TPTSplitter splitter;
    EXPECT_EQ(splitter.size(), QSize(200, 140));
    EXPECT_EQ(splitter.Position(), 65);
    EXPECT_EQ(splitter.SplitterWidth(), 3);
    EXPECT_EQ(splitter.Style(), ptstVertical);
    EXPECT_EQ(splitter.FullDragMode(), ptfdUser);
    EXPECT_TRUE(splitter.Proportional());
    EXPECT_FLOAT_EQ(splitter.Proportion(), 65.0f / 200.0f);
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(splitter.GetPane(i), nullptr);
        EXPECT_EQ(splitter.GetPane(i)->Index(), i);
        EXPECT_EQ(splitter.GetPane(i)->MinSize(), 20);
        EXPECT_EQ(splitter.GetPane(i)->FrameStyle(), ptfsLowered);
    }
    EXPECT_EQ(splitter.GetPane(0)->geometry(), QRect(0, 0, 65, 140));
    EXPECT_EQ(splitter.GetPane(1)->geometry(), QRect(68, 0, 132, 140));

    splitter.setObjectName(QStringLiteral("PTSplitter1"));
    EXPECT_EQ(splitter.GetPane(0)->objectName(), QStringLiteral("PTSplitter1_pane1"));
    EXPECT_EQ(splitter.GetPane(1)->objectName(), QStringLiteral("PTSplitter1_pane2"));
}

TEST(Splitter, WithoutPanesNothingIsClampedAndPaneSettersDoNothing)
{
    TPTSplitter splitter(nullptr, false);
    EXPECT_EQ(splitter.GetPane(0), nullptr);
    splitter.SetPaneMinSize(0, 50);
    EXPECT_EQ(splitter.GetPaneMinSize(0), 0);
    splitter.SetPosition(-30);
    EXPECT_EQ(splitter.Position(), -30);
    splitter.CreatePanes();
    splitter.SetPosition(-30);
    EXPECT_EQ(splitter.Position(), 20);
}

TEST(Splitter, PositionIsClampedToThePaneMinimums)
{
    DialogSplitter s;
    s.splitter->SetPosition(1000);
    EXPECT_EQ(s.splitter->Position(), 387);
    s.splitter->SetPosition(-1);
    EXPECT_EQ(s.splitter->Position(), 4);
    EXPECT_EQ(s.changes, 2);
    s.splitter->SetPosition(4);
    EXPECT_EQ(s.changes, 2) << "an unchanged position is no change";

    s.splitter->SetPosition(141);
    EXPECT_EQ(s.Pane(0)->geometry(), QRect(0, 0, 141, 153));
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(146, 0, 301, 153));

    s.splitter->SetStyle(ptstHorizontal);
    EXPECT_EQ(s.splitter->Extent(), 153);
    EXPECT_EQ(s.Pane(0)->geometry(), QRect(0, 0, 447, 141));
    s.splitter->SetPosition(1000);
    EXPECT_EQ(s.splitter->Position(), 93);
}

TEST(Splitter, NegativeMinimumCollapsesPaneOneAndTheBar)
{
    DialogSplitter s;
    // WHEN the tree pane is hidden the way the form does it
    s.splitter->SetPaneMinSize(0, -5);
    s.splitter->SetPosition(-5);
    // THEN pane 1 and the bar are gone and pane 2 takes the whole width
    EXPECT_EQ(s.splitter->Position(), -5);
    EXPECT_EQ(s.Pane(0)->width(), 0);
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(0, 0, 447, 153));

    // Resizing the form keeps them hidden: no sliver of the bar comes back.
    s.splitter->resize(300, 153);
    EXPECT_EQ(s.splitter->Position(), -5);
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(0, 0, 300, 153));
    s.splitter->resize(447, 153);
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(0, 0, 447, 153));

    // WHEN the minimum is restored and the position set again THEN both come back
    s.splitter->SetPaneMinSize(0, 4);
    EXPECT_EQ(s.splitter->Position(), -5) << "setting a minimum does not move the bar";
    s.splitter->SetPosition(200);
    EXPECT_EQ(s.Pane(0)->geometry(), QRect(0, 0, 200, 153));
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(205, 0, 242, 153));
}

TEST(Splitter, APaneSqueezedOutComesBackWhenTheSplitterGrows)
{
    DialogSplitter s;
    // WHEN the splitter shrinks below pane 2's minimum, the clamp gives a
    // negative position and pane 1 disappears
    s.splitter->resize(50, 153);
    EXPECT_LT(s.splitter->Position(), 0);
    EXPECT_EQ(s.Pane(0)->width(), 0);
    // THEN growing it again brings pane 1 back with its share
    s.splitter->resize(447, 153);
    EXPECT_EQ(s.splitter->Position(), 141);
    EXPECT_EQ(s.Pane(0)->geometry(), QRect(0, 0, 141, 153));
    s.splitter->resize(900, 153);
    EXPECT_EQ(s.splitter->Position(), 284);
}

TEST(Splitter, ProportionalResizeKeepsPaneOnesShare)
{
    DialogSplitter s;
    s.splitter->resize(894, 153);
    EXPECT_EQ(s.splitter->Position(), 282);
    EXPECT_EQ(s.resizes, 1);
    EXPECT_EQ(s.changes, 1);
    s.splitter->resize(447, 153);
    EXPECT_EQ(s.splitter->Position(), 141);

    // Within the clamp: a share close to the right edge stops at pane 2's minimum.
    s.splitter->SetPosition(380);
    s.splitter->resize(300, 153);
    EXPECT_EQ(s.splitter->Position(), 240);

    // Without proportional resizing the position stays; the resize event still fires.
    s.splitter->SetProportional(false);
    s.splitter->SetPosition(100);
    const int resizes = s.resizes;
    s.splitter->resize(600, 153);
    EXPECT_EQ(s.splitter->Position(), 100);
    EXPECT_EQ(s.resizes, resizes + 1);

    // SetProportion applies at once.
    s.splitter->SetProportion(0.5f);
    EXPECT_EQ(s.splitter->Position(), 300);
}

TEST(Splitter, ProportionRoundsHalvesToEven)
{
    DialogSplitter s;
    s.splitter->resize(400, 153);
    s.splitter->SetPosition(100); // proportion 0.25
    s.splitter->resize(202, 153); // 50.5
    EXPECT_EQ(s.splitter->Position(), 50);
    s.splitter->resize(206, 153); // 51.5
    EXPECT_EQ(s.splitter->Position(), 52);
}

TEST(Splitter, DragWithoutFullDragMovesOnlyTheFeedbackUntilRelease)
{
    DialogSplitter s;
    s.splitter->SetFullDragMode(ptfdOff);
    s.splitter->SetPaneColor(1, Qt::white);
    auto* line = s.splitter->findChild<TPTSizingLine*>(QStringLiteral("sizingLine"));
    ASSERT_NE(line, nullptr);

    QTest::mousePress(s.splitter, Qt::LeftButton, {}, s.Bar());
    EXPECT_TRUE(s.splitter->Dragging());
    EXPECT_TRUE(line->isVisible());
    QTest::mouseMove(s.splitter, QPoint(241 + 2, 70));
    EXPECT_EQ(s.splitter->Position(), 141);
    EXPECT_EQ(s.changes, 0);
    EXPECT_EQ(s.splitter->DragCoordinate(), 243);
    EXPECT_EQ(line->geometry(), QRect(241, 0, 5, 153));

    // The feedback inverts every pixel whose x and y differ in parity.
    const QImage image = s.splitter->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixelColor(242, 70), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(243, 70), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(242, 71), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(250, 71), QColor(Qt::white)) << "outside the bar";

    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(243, 70));
    EXPECT_FALSE(s.splitter->Dragging());
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(s.splitter->Position(), 241);
    EXPECT_EQ(s.Pane(1)->x(), 246);
    EXPECT_EQ(s.changes, 1);
    EXPECT_EQ(s.drops, std::vector<int>{241});
    EXPECT_FLOAT_EQ(s.splitter->Proportion(), 241.0f / 447.0f);
    // Every step reports the drag coordinate (mouse coordinate, not the
    // position), and the end reports -1.
    EXPECT_EQ(s.drags, (std::vector<int>{143, 243, -1}));
}

TEST(Splitter, FullDragMovesThePanesWithTheMouse)
{
    DialogSplitter s;
    s.splitter->SetFullDragMode(ptfdOn);
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, s.Bar(2));
    QTest::mouseMove(s.splitter, QPoint(203, 70));
    EXPECT_EQ(s.splitter->Position(), 201);
    EXPECT_EQ(s.Pane(0)->width(), 201);
    QTest::mouseMove(s.splitter, QPoint(1000, 70));
    EXPECT_EQ(s.splitter->Position(), 387) << "clamped to pane 2's minimum";
    EXPECT_FALSE(s.splitter->findChild<TPTSizingLine*>()->isVisible());
    const int changes = s.changes;
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(1000, 70));
    EXPECT_EQ(s.splitter->Position(), 387);
    EXPECT_EQ(s.changes, changes) << "the position did not change on release";
    EXPECT_EQ(s.drops, std::vector<int>{387});
}

TEST(Splitter, UserModeFollowsTheStylesOpaqueResize)
{
    DialogSplitter s;
    const bool live =
        s.splitter->style()->styleHint(QStyle::SH_Splitter_OpaqueResize, nullptr, s.splitter) != 0;
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, s.Bar(2));
    QTest::mouseMove(s.splitter, QPoint(102, 70));
    EXPECT_EQ(s.splitter->Position(), live ? 100 : 141);
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(102, 70));
    EXPECT_EQ(s.splitter->Position(), 100);
}

TEST(Splitter, OnlyTheStartingButtonEndsTheDrag)
{
    DialogSplitter s;
    s.splitter->SetFullDragMode(ptfdOff);
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, s.Bar(2));
    QTest::mouseMove(s.splitter, QPoint(102, 70));
    QTest::mouseRelease(s.splitter, Qt::RightButton, {}, QPoint(102, 70));
    EXPECT_TRUE(s.splitter->Dragging());
    EXPECT_TRUE(s.drops.empty());
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(102, 70));
    EXPECT_FALSE(s.splitter->Dragging());
    EXPECT_EQ(s.drops, std::vector<int>{100});

    // Only the left button starts a drag, and only over the bar.
    QTest::mousePress(s.splitter, Qt::RightButton, {}, s.Bar(2));
    EXPECT_FALSE(s.splitter->Dragging());
    QTest::mouseRelease(s.splitter, Qt::RightButton, {}, s.Bar(2));
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, QPoint(300, 70));
    EXPECT_FALSE(s.splitter->Dragging());
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(300, 70));
}

TEST(Splitter, CancelledDragLeavesThePositionAlone)
{
    DialogSplitter s;
    s.splitter->SetFullDragMode(ptfdOff);
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, s.Bar(2));
    QTest::mouseMove(s.splitter, QPoint(60, 70));
    s.splitter->CancelDrag();
    EXPECT_FALSE(s.splitter->Dragging());
    EXPECT_EQ(s.splitter->DragCoordinate(), -1);
    EXPECT_FALSE(s.splitter->findChild<TPTSizingLine*>()->isVisible());
    EXPECT_EQ(s.splitter->Position(), 141);
    EXPECT_TRUE(s.drops.empty());
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(60, 70));
    EXPECT_EQ(s.splitter->Position(), 141);
}

TEST(Splitter, SwapPanesExchangesSlotsAndAdjustsThePosition)
{
    DialogSplitter s;
    TPTPane* first = s.Pane(0);
    TPTPane* second = s.Pane(1);
    s.splitter->SwapPanes(true);
    EXPECT_EQ(s.Pane(0), second);
    EXPECT_EQ(s.Pane(1), first);
    EXPECT_EQ(second->Index(), 0);
    EXPECT_EQ(s.splitter->Position(), 447 - 141);
    EXPECT_EQ(second->geometry(), QRect(0, 0, 306, 153));
}

TEST(Splitter, HorizontalStyleDragsAlongTheHeight)
{
    DialogSplitter s;
    s.splitter->SetStyle(ptstHorizontal);
    s.splitter->SetFullDragMode(ptfdOn);
    s.splitter->SetPosition(50);
    EXPECT_EQ(s.splitter->cursor().shape(), Qt::SplitVCursor);
    EXPECT_EQ(s.Pane(1)->geometry(), QRect(0, 55, 447, 98));
    QTest::mousePress(s.splitter, Qt::LeftButton, {}, QPoint(200, 52));
    QTest::mouseMove(s.splitter, QPoint(200, 72));
    QTest::mouseRelease(s.splitter, Qt::LeftButton, {}, QPoint(200, 72));
    EXPECT_EQ(s.splitter->Position(), 70);
    EXPECT_EQ(s.Pane(0)->geometry(), QRect(0, 0, 447, 70));
}
