#include "controls/UPTFrame.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace
{

const QColor kMarker(0x12, 0x34, 0x56);

// Distinct colours for every system colour the frames use, so that each pixel
// tells which line drew it.
QPalette FramePalette()
{
    QPalette pal;
    pal.setColor(QPalette::Dark, QColor(0x80, 0x00, 0x00));       // S: button shadow
    pal.setColor(QPalette::Shadow, QColor(0x00, 0x80, 0x00));     // D: dark 3-D shadow
    pal.setColor(QPalette::Button, QColor(0x00, 0x00, 0x80));     // F: button face
    pal.setColor(QPalette::Light, QColor(0xF0, 0xF0, 0x00));      // H: button highlight
    pal.setColor(QPalette::WindowText, QColor(0x10, 0x10, 0x10)); // W: window frame, text
    pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    return pal;
}

char Code(QRgb rgb)
{
    const QPalette pal = FramePalette();
    const std::pair<QPalette::ColorRole, char> roles[] = {{QPalette::Dark, 'S'},
                                                          {QPalette::Shadow, 'D'},
                                                          {QPalette::Button, 'F'},
                                                          {QPalette::Light, 'H'},
                                                          {QPalette::WindowText, 'W'}};
    for (const auto& [role, code] : roles) {
        if (pal.color(role).rgb() == rgb)
            return code;
    }
    return rgb == kMarker.rgb() ? '.' : '?';
}

// Draws with aDraw on a marker-filled image and returns it as rows of codes.
template <typename Draw> std::vector<std::string> Render(int aWidth, int aHeight, Draw aDraw)
{
    QImage image(aWidth, aHeight, QImage::Format_RGB32);
    image.fill(kMarker);
    {
        QPainter painter(&image);
        aDraw(painter);
    }
    std::vector<std::string> rows;
    for (int y = 0; y < aHeight; ++y) {
        std::string row;
        for (int x = 0; x < aWidth; ++x)
            row += Code(image.pixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

QImage Grab(QWidget& aWidget)
{
    return aWidget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(FrameDrawing, AdjustRectForFrameShrinksByTheStyleInset)
{
    const QRect r(QPoint(0, 0), QPoint(100, 50));
    const std::pair<int, QRect> cases[] = {
        {ptfsNone, r},
        {ptfsGroup, r},
        {ptfsLowered, QRect(QPoint(2, 2), QPoint(98, 48))},
        {ptfsRaised, QRect(QPoint(2, 2), QPoint(98, 48))},
        {ptfsDint, QRect(QPoint(1, 1), QPoint(99, 49))},
        {ptfsBump, QRect(QPoint(1, 1), QPoint(99, 49))},
        {ptfsSingle, QRect(QPoint(1, 1), QPoint(99, 49))},
        {ptfsHorzLine, QRect(QPoint(0, 2), QPoint(100, 50))},
        {ptfsHorzEdge, QRect(QPoint(0, 2), QPoint(100, 48))},
        {ptfsVertLine, QRect(QPoint(2, 0), QPoint(100, 50))},
        {ptfsVertEdge, QRect(QPoint(2, 0), QPoint(98, 50))},
        // The top bit of the style is ignored.
        {0x80 | ptfsHorzEdge, QRect(QPoint(0, 2), QPoint(100, 48))},
    };
    for (const auto& [style, expected] : cases) {
        QRect rect = r;
        AdjustRectForFrame(TPTFrameStyle(style), rect);
        EXPECT_EQ(rect, expected) << "style " << style;
    }
}

TEST(FrameDrawing, LoweredAndRaisedFramesPutTheirFourColoursOnTheirPixels)
{
    const QPalette pal = FramePalette();
    const QRect rect(QPoint(0, 0), QPoint(5, 4)); // right and bottom inclusive
    const std::vector<std::string> lowered = {
        "SSSSSH", "SDDDFH", "SD..FH", "SFFFFH", "HHHHHH",
    };
    EXPECT_EQ(Render(6, 5, [&](QPainter& p) { DrawLoweredFrame(p, rect, pal); }), lowered);

    const std::vector<std::string> raised = {
        "HHHHHD", "HFFFSD", "HF..SD", "HSSSSD", "DDDDDD",
    };
    EXPECT_EQ(Render(6, 5, [&](QPainter& p) { DrawRaisedFrame(p, rect, pal); }), raised);
    // The dispatcher draws the same, also with the top bit set.
    EXPECT_EQ(
        Render(6, 5,
               [&](QPainter& p) { DrawFrame(TPTFrameStyle(0x80 | ptfsRaised), p, rect, pal); }),
        raised);
}

TEST(FrameDrawing, OnePixelFramesAndSingleFrame)
{
    const QPalette pal = FramePalette();
    const QRect rect(QPoint(1, 1), QPoint(4, 3));
    EXPECT_EQ(Render(6, 5, [&](QPainter& p) { DrawDintFrame(p, rect, pal); }),
              (std::vector<std::string>{"......", ".SSSH.", ".S..H.", ".HHHH.", "......"}));
    EXPECT_EQ(Render(6, 5, [&](QPainter& p) { DrawBumpFrame(p, rect, pal); }),
              (std::vector<std::string>{"......", ".HHHS.", ".H..S.", ".SSSS.", "......"}));
    // The single frame fills its interior with the current brush.
    EXPECT_EQ(Render(6, 5,
                     [&](QPainter& p) {
                         p.setBrush(pal.color(QPalette::Button));
                         DrawSingleFrame(p, rect, pal);
                     }),
              (std::vector<std::string>{"......", ".WWWW.", ".WFFW.", ".WWWW.", "......"}));
}

TEST(FrameDrawing, LinesAndEdgesUseTheirTwoColours)
{
    const QPalette pal = FramePalette();
    const QColor a = pal.color(QPalette::Dark), b = pal.color(QPalette::Light);
    const QRect rect(QPoint(0, 0), QPoint(3, 5));
    EXPECT_EQ(Render(4, 6, [&](QPainter& p) { DrawHorzEdge(p, rect, a, b); }),
              (std::vector<std::string>{"SSSS", "HHHH", "....", "....", "SSSS", "HHHH"}));
    EXPECT_EQ(Render(4, 6, [&](QPainter& p) { DrawHorzLine(p, rect, a, b); })[1], "HHHH");
    EXPECT_EQ(Render(4, 6, [&](QPainter& p) { DrawVertEdge(p, rect, a, b); }),
              (std::vector<std::string>(6, "SHSH")));
    EXPECT_EQ(Render(4, 6, [&](QPainter& p) { DrawVertLine(p, rect, a, b); }),
              (std::vector<std::string>(6, "SH..")));
}

TEST(FrameDrawing, GroupFrameWithoutCaptionStartsAtTheTopEdge)
{
    const QPalette pal = FramePalette();
    const QRect rect(QPoint(0, 0), QPoint(5, 4));
    // Etched: the light rectangle one pixel right and below the dark one.
    EXPECT_EQ(Render(6, 5,
                     [&](QPainter& p) {
                         DrawGroupFrame(p, rect, QString(), true, pal.color(QPalette::Button), pal);
                     }),
              (std::vector<std::string>{"SSSSSF", "SHHHSH", "SHFFSH", "SSSSSH", "FHHHHH"}));
}

TEST(Group, DefaultsAndClientAreaInsetWithAndWithoutCaption)
{
    // GIVEN a group with the form defaults and a child filling its client area
    TPTGroup group;
    EXPECT_EQ(group.size(), QSize(64, 48));
    EXPECT_EQ(group.FrameStyle(), ptfsGroup);
    EXPECT_EQ(group.FrameSpace(), 2);
    EXPECT_EQ(group.Alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(group.DefaultDrawing());
    group.resize(120, 80);
    auto* layout = new QVBoxLayout(&group);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QLabel(&group);
    layout->addWidget(child);
    group.show();

    // THEN without caption the frame takes 2 pixels on every side
    EXPECT_EQ(group.ClientRect(), QRect(2, 2, 116, 76));
    layout->activate();
    EXPECT_EQ(child->geometry(), QRect(2, 2, 116, 76));

    // WHEN it gets a caption THEN the client area moves down by one text height
    group.SetCaption(QStringLiteral("Files"));
    const int h = QFontMetrics(group.font()).height();
    EXPECT_EQ(group.ClientRect(), QRect(2, h, 116, 78 - h));
    layout->activate();
    EXPECT_EQ(child->geometry().top(), h);

    // Other styles use the frame inset; ptfsNone has none
    group.SetFrameStyle(ptfsLowered);
    EXPECT_EQ(group.ClientRect(), QRect(2, 2, 116, 76));
    group.SetFrameStyle(ptfsNone);
    EXPECT_EQ(group.ClientRect(), group.rect());
}

TEST(Group, FrameLineLiesAtHalfTheCaptionHeight)
{
    TPTGroup group;
    group.setPalette(FramePalette());
    group.resize(120, 60);
    group.show();
    const QColor shadow = FramePalette().color(QPalette::Dark);
    const QColor light = FramePalette().color(QPalette::Light);

    QImage image = Grab(group);
    EXPECT_EQ(image.pixelColor(100, 0), shadow);
    EXPECT_EQ(image.pixelColor(100, 1), light);
    EXPECT_EQ(image.pixelColor(0, 30), shadow);

    group.SetCaption(QStringLiteral("Ab"));
    image = Grab(group);
    const int line = QFontMetrics(group.font()).height() / 2 - 1;
    EXPECT_EQ(image.pixelColor(100, line), shadow);
    EXPECT_EQ(image.pixelColor(100, line + 1), light);
    EXPECT_NE(image.pixelColor(100, 0), shadow);
}

TEST(Group, DisablingDisablesChildrenAndEmbossesTheCaption)
{
    TPTGroup group;
    QFont font = group.font();
    font.setStyleStrategy(QFont::NoAntialias);
    group.setFont(font);
    group.setPalette(FramePalette());
    group.SetCaption(QStringLiteral("HHHH"));
    group.resize(120, 60);
    auto* first = new QLabel(&group);
    auto* second = new QLabel(&group);
    second->setEnabled(false);
    group.show();

    const QFontMetrics fm(font);
    const QRect textBox(8, 0, fm.horizontalAdvance(QStringLiteral("HHHH")) + 1, fm.height() + 1);
    auto countIn = [&](const QImage& image, const QColor& color) {
        int n = 0;
        for (int y = textBox.top(); y <= textBox.bottom(); ++y)
            for (int x = textBox.left(); x <= textBox.right(); ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    };
    const QColor shadow = FramePalette().color(QPalette::Dark);
    const QColor light = FramePalette().color(QPalette::Light);
    const QColor text = FramePalette().color(QPalette::WindowText);

    QImage enabled = Grab(group);
    EXPECT_GT(countIn(enabled, text), 0);
    EXPECT_EQ(countIn(enabled, light), 0);

    group.setEnabled(false);
    EXPECT_FALSE(first->isEnabled());
    QImage disabled = Grab(group);
    EXPECT_EQ(countIn(disabled, text), 0);
    // The highlight copy shows one pixel right and below the shadow-coloured text.
    int embossed = 0;
    for (int y = textBox.top(); y < textBox.bottom(); ++y)
        for (int x = textBox.left(); x < textBox.right(); ++x)
            embossed +=
                disabled.pixelColor(x, y) == shadow && disabled.pixelColor(x + 1, y + 1) == light;
    EXPECT_GT(embossed, 0);

    // Enabling the group enables every child, also one disabled on its own before.
    group.setEnabled(true);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(second->isEnabled());
}

TEST(Group, AWindowDisabledAndEnabledAroundTheGroupKeepsAChildDisabledOnItsOwn)
{
    QWidget window;
    auto* group = new TPTGroup(&window);
    auto* button = new QLabel(group);
    auto* other = new QLabel(group);
    button->setEnabled(false);

    // Only the group's own state is passed on; Qt carries the window's.
    window.setEnabled(false);
    EXPECT_FALSE(other->isEnabled());
    window.setEnabled(true);
    EXPECT_TRUE(group->isEnabled());
    EXPECT_TRUE(other->isEnabled());
    EXPECT_FALSE(button->isEnabled());
}

namespace
{

// Where the caption's text pixels are, inside `client` (empty: none drawn).
template <typename Control> QRect CaptionInk(Control& control, const QRect& client)
{
    QFont font = control.font();
    font.setStyleStrategy(QFont::NoAntialias);
    control.setFont(font);
    control.setPalette(FramePalette());
    control.show();
    const QImage image = Grab(control);
    QRect ink;
    for (int y = client.top(); y <= client.bottom(); ++y)
        for (int x = client.left(); x <= client.right(); ++x)
            if (image.pixelColor(x, y) == FramePalette().color(QPalette::WindowText))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// A left-aligned caption starts after FrameSpace and is centred vertically.
void ExpectClientCaption(const QRect& ink, const QRect& client, int frameSpace)
{
    ASSERT_FALSE(ink.isEmpty()) << "no caption drawn";
    EXPECT_GE(ink.left(), client.left() + frameSpace);
    EXPECT_LE(ink.left(), client.left() + frameSpace + 3);
    EXPECT_NEAR(ink.center().y(), client.center().y(), 3);
}

} // namespace

TEST(Group, TheCaptionIsDrawnInTheClientAreaUnlessDefaultDrawingIsOff)
{
    TPTGroup group;
    group.resize(120, 60);
    group.SetFrameStyle(ptfsLowered);
    group.SetFrameSpace(6);
    group.SetAlignment(Qt::AlignLeft);
    group.SetCaption(QStringLiteral("HH"));
    ExpectClientCaption(CaptionInk(group, group.ClientRect()), group.ClientRect(), 6);
    group.SetDefaultDrawing(false);
    EXPECT_TRUE(CaptionInk(group, group.ClientRect()).isEmpty());
}

TEST(Frame, TheCaptionIsDrawnInsideTheFrameUnlessDefaultDrawingIsOff)
{
    TPTFrame frame;
    frame.resize(120, 60);
    frame.SetFrameStyle(ptfsLowered);
    frame.SetFrameSpace(6);
    frame.SetAlignment(Qt::AlignLeft);
    frame.SetCaption(QStringLiteral("HH"));
    const QRect inside = frame.rect().adjusted(2, 2, -2, -2);
    ExpectClientCaption(CaptionInk(frame, inside), frame.rect(), 6);
    frame.SetDefaultDrawing(false);
    EXPECT_TRUE(CaptionInk(frame, inside).isEmpty());
}

TEST(Group, ClientCaptionAndOnPaint)
{
    TPTGroup group;
    group.SetFrameStyle(ptfsLowered);
    group.SetCaption(QStringLiteral("x"));
    int paints = 0;
    group.OnPaint = [&](QObject* sender, QPainter&) {
        EXPECT_EQ(sender, &group);
        ++paints;
    };
    group.show();
    Grab(group);
    EXPECT_GE(paints, 1);
}

TEST(Frame, DefaultsAndGroupStyleDrawsItsCaptionOnceAndStillFiresOnPaint)
{
    TPTFrame frame;
    EXPECT_EQ(frame.size(), QSize(64, 48));
    EXPECT_EQ(frame.FrameStyle(), ptfsLowered);
    EXPECT_EQ(frame.FrameSpace(), 2);

    QFont font = frame.font();
    font.setStyleStrategy(QFont::NoAntialias);
    frame.setFont(font);
    frame.setPalette(FramePalette());
    frame.resize(120, 60);
    frame.SetCaption(QStringLiteral("HH"));
    frame.SetFrameStyle(ptfsGroup);
    int paints = 0;
    frame.OnPaint = [&](QObject*, QPainter&) { ++paints; };
    frame.show();
    const QImage image = Grab(frame);
    EXPECT_GE(paints, 1);

    const QColor text = FramePalette().color(QPalette::WindowText);
    const int h = QFontMetrics(font).height();
    int inCaptionBand = 0, elsewhere = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == text)
                (y < h ? inCaptionBand : elsewhere)++;
    EXPECT_GT(inCaptionBand, 0);
    EXPECT_EQ(elsewhere, 0);
}

TEST(Frame, LoweredFrameAroundTheWidgetAndCaptionInside)
{
    TPTFrame frame;
    frame.setPalette(FramePalette());
    frame.resize(40, 30);
    frame.show();
    const QImage image = Grab(frame);
    EXPECT_EQ(image.pixelColor(0, 0), FramePalette().color(QPalette::Dark));
    EXPECT_EQ(image.pixelColor(1, 1), FramePalette().color(QPalette::Shadow));
    EXPECT_EQ(image.pixelColor(38, 28), FramePalette().color(QPalette::Button));
    EXPECT_EQ(image.pixelColor(39, 29), FramePalette().color(QPalette::Light));
    EXPECT_EQ(image.pixelColor(20, 15), FramePalette().color(QPalette::Window));
}
