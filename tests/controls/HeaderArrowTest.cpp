#include "controls/UPTTreeList.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

const QColor Face(Qt::white);
const QColor Shadow(255, 0, 0);
const QColor Light(0, 255, 0);

QRect InkBounds(const QImage& image, const QColor& paper)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != paper)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage Glyph(void (*draw)(QPainter&, const QRect&, const QColor&, const QColor&, const QColor&),
             const QRect& r, const QColor& background = QColor())
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, r, background, Shadow, Light);
    return image;
}

TEST(HeaderGlyphs, AnEvenHeightIsDrawnOnePixelShorter)
{
    for (auto draw : {&DrawDownArrow, &DrawUpArrow}) {
        EXPECT_EQ(InkBounds(Glyph(draw, QRect(5, 5, 12, 10)), Qt::white).height(), 9);
        EXPECT_EQ(InkBounds(Glyph(draw, QRect(5, 5, 12, 11)), Qt::white).height(), 11);
        EXPECT_EQ(InkBounds(Glyph(draw, QRect(5, 5, 12, 11)), Qt::white).top(), 5);
    }
}

TEST(HeaderGlyphs, TheBackgroundFillsTheGlyphBoxUnlessItIsNone)
{
    const QImage filled = Glyph(&DrawDownArrow, QRect(5, 5, 12, 10), Qt::blue);
    EXPECT_EQ(filled.pixelColor(5 + 9, 5 + 8), QColor(Qt::blue)) << "w = h + 1 = 10, h = 9";
    EXPECT_EQ(filled.pixelColor(5 + 10, 5 + 8), QColor(Qt::white));
    EXPECT_EQ(filled.pixelColor(5 + 9, 5 + 9), QColor(Qt::white));
    const QImage bare = Glyph(&DrawDownArrow, QRect(5, 5, 12, 10));
    EXPECT_EQ(bare.pixelColor(5 + 8, 5 + 6), QColor(Qt::white));
}

TEST(HeaderGlyphs, DownArrowHasItsShadowOnTopUpArrowItsHighlightBelow)
{
    const QRect r(5, 5, 12, 11); // h = 11, w = 12
    const QImage down = Glyph(&DrawDownArrow, r);
    const QImage up = Glyph(&DrawUpArrow, r);
    int downTop = 0, upBottom = 0;
    for (int x = 5; x < 5 + 12; ++x) {
        downTop += down.pixelColor(x, 5) == Shadow ? 1 : 0;
        upBottom += up.pixelColor(x, 5 + 10) == Light ? 1 : 0;
    }
    EXPECT_EQ(downTop, 11) << "the last point of a polyline is not painted";
    EXPECT_EQ(upBottom, 12) << "the corner starts the next segment";
}

TEST(HeaderGlyphs, ArrowBoxGeometry)
{
    // T from (4, 2) to (104, 22): s = 12 - 1 = 11
    const QRect b = PTArrowBox(QRect(QPoint(4, 2), QSize(100, 20)));
    EXPECT_EQ(b.x(), 4);
    EXPECT_EQ(b.width(), 12);
    EXPECT_EQ(b.y(), (24 - 11) / 2 - 1);
    EXPECT_EQ(b.height(), 11);
}

class HeaderArrow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        list.resize(500, 200);
        list.SetColumns({{QStringLiteral("Name"), 120, Qt::AlignLeft},
                         {QStringLiteral("Size"), 80, Qt::AlignRight},
                         {QStringLiteral("Type"), 100, Qt::AlignLeft}});
        list.SetViewStyle(vsReport);
        QPalette pal = list.GetHeaderHandle()->palette();
        pal.setColor(QPalette::Button, Face);
        pal.setColor(QPalette::Dark, Shadow);
        pal.setColor(QPalette::Light, Light);
        list.GetHeaderHandle()->setPalette(pal);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    QImage Header()
    {
        return list.GetHeaderHandle()->viewport()->grab().toImage().convertToFormat(
            QImage::Format_ARGB32);
    }
    QRect TextRect(int section)
    {
        return list.GetHeaderHandle()
            ->SectionRect(section)
            .adjusted(2, 2, -2, -2)
            .adjusted(4, 0, -4, 0);
    }
    int ArrowInk(const QImage& image, const QRect& box)
    {
        int n = 0;
        for (int y = box.top(); y <= box.bottom() + 1; ++y)
            for (int x = box.left(); x <= box.right() + 1; ++x)
                n += image.pixelColor(x, y) == Shadow || image.pixelColor(x, y) == Light ? 1 : 0;
        return n;
    }

    TPTListView list;
};

TEST_F(HeaderArrow, NoArrowUnlessTheColumnIsWiderThanTwiceTheBox)
{
    list.SetHeaderSortDisplayMode(ptlvLeftAlign);
    list.SetHeaderSortColumn(0);
    const QRect box = TPTCustomListView::ArrowBox(TextRect(0));
    ASSERT_GT(2 * box.width(), 15);

    list.SetColumnWidth(0, 2 * box.width());
    EXPECT_EQ(ArrowInk(Header(), TPTCustomListView::ArrowBox(TextRect(0))), 0);

    list.SetColumnWidth(0, 2 * box.width() + 1);
    EXPECT_GT(ArrowInk(Header(), TPTCustomListView::ArrowBox(TextRect(0))), 5);
}

TEST_F(HeaderArrow, LeftAlignedSortColumnOfWidth15ShowsNoArrowAndKeepsItsCaption)
{
    list.SetHeaderSortDisplayMode(ptlvLeftAlign);
    list.SetColumnWidth(0, 15);
    const QImage unsorted = Header();
    list.SetHeaderSortColumn(0);
    EXPECT_EQ(Header(), unsorted);
}

TEST_F(HeaderArrow, DirectionFollowsTheSetters)
{
    list.SetHeaderSortDisplayMode(ptlvRightAlign);
    list.SetHeaderSortColumn(2);
    const QRect t = TextRect(2);
    QRect box = TPTCustomListView::ArrowBox(t);
    box.translate(t.width() - box.width() - 5, 0);
    const int h = (box.height() - 1) | 1;
    const int w = h + 1;
    auto row = [&](const QImage& image, int y, const QColor& color) {
        int n = 0;
        for (int x = box.x(); x < box.x() + w; ++x)
            n += image.pixelColor(x, y) == color ? 1 : 0;
        return n;
    };

    // ascending draws the down arrow: its shadow runs along the top
    const QImage asc = Header();
    EXPECT_EQ(row(asc, box.y(), Shadow), w - 1);

    // descending draws the up arrow: its highlight runs along the bottom
    list.SetHeaderSortDirection(ptsdDesc);
    const QImage desc = Header();
    EXPECT_EQ(row(desc, box.y() + h - 1, Light), w);
    EXPECT_LE(row(desc, box.y(), Shadow), 2);

    // another column takes the arrow away from the old one
    list.SetHeaderSortColumn(0);
    EXPECT_EQ(ArrowInk(Header(), box), 0);
}

TEST_F(HeaderArrow, OwnerDrawingIsOnForEveryColumnUnlessTheModeIsNone)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.HeaderItemFormat(i) & (pthdf::OwnerDraw | pthdf::String), pthdf::OwnerDraw)
            << i;
    EXPECT_EQ(list.HeaderItemFormat(1) & pthdf::JustifyMask, pthdf::Right);

    list.SetHeaderSortDisplayMode(ptlvNone);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.HeaderItemFormat(i) & (pthdf::OwnerDraw | pthdf::String), pthdf::String)
            << i;
    EXPECT_EQ(list.HeaderItemFormat(1) & pthdf::JustifyMask, pthdf::Right);

    list.SetHeaderSortDisplayMode(ptlvRightOfText);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(list.HeaderItemFormat(i) & pthdf::OwnerDraw, 0u) << i;
}

TEST_F(HeaderArrow, TheArrowFollowsTheCaptionWhenPlacedRightOfText)
{
    list.SetHeaderSortDisplayMode(ptlvRightOfText);
    list.SetHeaderSortColumn(0);
    const QRect t = TextRect(0);
    const int caption =
        list.GetHeaderHandle()->fontMetrics().horizontalAdvance(QStringLiteral("Name"));
    const QRect box =
        TPTCustomListView::ArrowBox(QRect(t.x() + caption + 5, t.y(), caption, t.height()));
    EXPECT_GT(ArrowInk(Header(), box), 5);
}

TEST_F(HeaderArrow, ALongCaptionIsShortenedBeforeTheArrowInBothAlignments)
{
    QPalette pal = list.GetHeaderHandle()->palette();
    pal.setColor(QPalette::ButtonText, Qt::blue);
    list.GetHeaderHandle()->setPalette(pal);
    list.SetColumns({{QString(40, QLatin1Char('W')), 120, Qt::AlignLeft},
                     {QStringLiteral("Size"), 80, Qt::AlignRight}});
    list.SetHeaderSortColumn(0);
    // Text ink: anything bluish, which neither the face nor the arrow is.
    auto textInk = [](const QImage& image, int fromX, int toX, const QRect& rows) {
        int n = 0;
        for (int y = rows.top(); y <= rows.bottom(); ++y)
            for (int x = fromX; x <= toX; ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.blue() > c.red() + 60 && c.blue() > c.green() + 60 ? 1 : 0;
            }
        return n;
    };
    const QRect t = TextRect(0);

    // Left: the arrow first, the caption starts 5 pixels after its box.
    list.SetHeaderSortDisplayMode(ptlvLeftAlign);
    const QRect left = TPTCustomListView::ArrowBox(t);
    QImage image = Header();
    EXPECT_GT(ArrowInk(image, left), 5);
    EXPECT_EQ(textInk(image, t.left(), left.right() + 5, t), 0);
    EXPECT_GT(textInk(image, left.right() + 6, t.right(), t), 20);

    // Right: the caption ends 4 pixels before the arrow's box.
    list.SetHeaderSortDisplayMode(ptlvRightAlign);
    QRect right = TPTCustomListView::ArrowBox(t);
    right.translate(t.width() - right.width() - 5, 0);
    image = Header();
    EXPECT_GT(ArrowInk(image, right), 5);
    EXPECT_EQ(textInk(image, right.left() - 4, t.right(), t), 0);
    EXPECT_GT(textInk(image, t.left(), right.left() - 5, t), 20);
}

} // namespace
