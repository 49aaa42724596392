#include "app/AxisScale.h"
#include "app/ChartImageFile.h"
#include "app/CurveChart.h"
#include "app/CurvePalette.h"
#include "app/NearestPoint.h"
#include "app/TComparisonDialog.h"
#include "app/TCurveChartView.h"

#include "FileDialogAnswer.h"
#include "QtPrinters.h"
#include "TestForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QMenu>
#include <QRadioButton>
#include <QScatterSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What makes a scale drawable: finite, ordered, and a tick interval that
// advances a double, with at most a dozen ticks whose labels all differ.
void ExpectDrawable(const TAxisScale& s)
{
    ASSERT_TRUE(std::isfinite(s.min) && std::isfinite(s.max) && std::isfinite(s.interval));
    ASSERT_LT(s.min, s.max);
    ASSERT_GT(s.interval, 0);
    ASSERT_LE((s.max - s.min) / s.interval, 12);
    ASSERT_GE((s.max - s.min) / s.interval, 1);
    // Tick k is anchor + k * interval, as the axis computes it.
    const int first = int(std::ceil((s.min - s.anchor) / s.interval - 1e-9));
    const int last = int(std::floor((s.max - s.anchor) / s.interval + 1e-9));
    QStringList labels;
    for (int k = first; k <= last; ++k) {
        const double t = s.anchor + k * s.interval;
        ASSERT_GT(t + s.interval, t);
        labels << QString::asprintf("%.*g", s.precision, t);
    }
    const int ticks = int(labels.size());
    EXPECT_GE(ticks, 2);
    labels.removeDuplicates();
    EXPECT_EQ(labels.size(), ticks) << labels.join(' ').toStdString();
}

double Ticks(QValueAxis* axis)
{
    return (axis->max() - axis->min()) / axis->tickInterval();
}

struct AxisLook {
    QValueAxis::TickType type;
    int count;
    double min, max;
    QString format;
    bool operator==(const AxisLook&) const = default;
};

AxisLook LookOf(QValueAxis* a)
{
    return {a->tickType(), a->tickCount(), a->min(), a->max(), a->labelFormat()};
}

// A point of the chart in view coordinates.
QPoint ViewPos(TCurveChartView* view, QPointF value)
{
    QChart* chart = view->chart();
    const QPointF inChart = chart->mapToPosition(value, chart->series().first());
    return view->mapFromScene(chart->mapToScene(inChart));
}

QPointF Range(QValueAxis* axis)
{
    return {axis->min(), axis->max()};
}

} // namespace

TEST(Charts, AnyDataRangeGivesABoundedAxis)
{
    const double huge = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::pair<double, double> ranges[] = {
        {30, 30.000000000000004},    // one ulp: the hang that was
        {39999.999999999993, 40000}, // a few ulps near the top of the sweep
        {30, 30},                    // one value
        {0, 0},
        {-5, -5},
        {1e-320, 1e-320}, // denormals
        {tiny, 2 * tiny},
        {-huge, huge}, // spans that overflow
        {huge, huge},
        {0, huge},
        {-kInf, kInf}, // nothing finite
        {kNaN, kNaN},
        {kNaN, 5},
        {5, kInf},
        {1e15, 1e15 + 0.25},
        {-1e-300, 1e-300},
        {30, 1000}, // and the ordinary case
        {1, 4},
    };
    for (auto [low, high] : ranges) {
        SCOPED_TRACE(testing::Message() << low << " to " << high);
        const TAxisScale data = ScaleForData(low, high);
        ExpectDrawable(data);
        if (std::isfinite(low) && std::isfinite(high) && std::fabs(high) < 1e300) {
            EXPECT_LE(data.min, low);
            EXPECT_GE(data.max, high);
        }
        ExpectDrawable(ScaleForView(low, high));
    }
    // An ordinary range keeps the look it always had.
    const TAxisScale usual = ScaleForData(30, 1000);
    EXPECT_EQ(usual.min, 0);
    EXPECT_EQ(usual.max, 1000);
    EXPECT_EQ(usual.interval, 200);
    EXPECT_EQ(usual.precision, 6);
}

TEST(Charts, ATinyFrequencySpanPlotsWithBoundedTicksOnBothCharts)
{
    for (auto [start, stop] :
         {std::pair{"30", "30.000000000000004"}, std::pair{"39999.999999999993", "40000"}}) {
        TestForm f;
        f.ShowDefault->setChecked(false);
        f.Set(f.StartFreq, start);
        f.Set(f.StopFreq, stop);
        f.Set(f.NumPoints, "2");
        f.show();
        f.ClickAdd();
        ASSERT_TRUE(f.messages.isEmpty()) << f.messages.join(' ').toStdString();
        ASSERT_EQ(f.Curves().size(), 1u);
        for (TCurveChartView* view : {f.NSAChart, f.Chart2}) {
            view->repaint();
            EXPECT_LE(Ticks(BottomAxis(view->chart())), 12);
            EXPECT_LE(Ticks(LeftAxis(view->chart())), 12);
            // Zooming further in stops at a span the axis can still draw.
            view->ZoomFrequency(1e-12, 30);
            view->repaint();
            EXPECT_LE(Ticks(BottomAxis(view->chart())), 12);
        }
    }
}

TEST(Charts, ClearBringsBackTheStartUpLookOfBothAxes)
{
    TestForm fresh, f;
    f.Set(f.StartFreq, "10");
    f.Set(f.StopFreq, "40000"); // a wide range left "..." labels behind
    f.Set(f.NumPoints, "11");
    f.ClickAdd();
    ASSERT_EQ(f.Curves().size(), 2u);
    f.NSAChart->ZoomFrequency(0.5, 2000);
    QTest::mouseClick(f.ClearButton, Qt::LeftButton);
    for (auto [view, startUp] :
         {std::pair{f.NSAChart, fresh.NSAChart}, std::pair{f.Chart2, fresh.Chart2}}) {
        EXPECT_EQ(LookOf(BottomAxis(view->chart())), LookOf(BottomAxis(startUp->chart())));
        EXPECT_EQ(LookOf(LeftAxis(view->chart())), LookOf(LeftAxis(startUp->chart())));
        EXPECT_FALSE(view->IsZoomed());
    }
    EXPECT_EQ(LookOf(LeftAxis(f.Chart2->chart())).type, QValueAxis::TicksFixed);
}

TEST(Charts, NearestPointIsTheClosestOnScreenAmongVisibleFinitePoints)
{
    const std::vector<QList<QPointF>> series = {
        {{30, 10}, {40, 12}, {50, kNaN}, {60, 14}},
        {{30, 20}, {40, 10}, {40, 11}, {kInf, 12}},
    };
    const QRectF all(QPointF(0, 0), QPointF(100, 100));
    auto nearest = [&](QPointF at, QRectF visible = QRectF(QPointF(0, 0), QPointF(100, 100)),
                       double xScale = 1, double yScale = 1) {
        return NearestPoint(series, at, visible, xScale, yScale);
    };
    EXPECT_EQ(nearest({31, 10}), (TPointRef{0, 0}));
    EXPECT_EQ(nearest({0, 0}), (TPointRef{0, 0}));     // before the first point: the end
    EXPECT_EQ(nearest({99, 14}), (TPointRef{0, 3}));   // after the last
    EXPECT_EQ(nearest({52, 13}), (TPointRef{0, 3}));   // the NaN point is skipped
    EXPECT_EQ(nearest({40, 10.4}), (TPointRef{1, 1})); // equal frequencies: by value
    EXPECT_EQ(nearest({40, 11.6}), (TPointRef{0, 1}));
    EXPECT_EQ(nearest({40, 11.5}), (TPointRef{0, 1})); // a tie: the earlier series
    // Distances are measured in pixels: a steep y scale favours the same value.
    EXPECT_EQ(nearest({34, 10}, all, 1, 1), (TPointRef{0, 0}));
    EXPECT_EQ(nearest({36, 10.5}, all, 0.01, 100), (TPointRef{1, 1}));
    // Only points in view count.
    EXPECT_EQ(nearest({31, 10}, QRectF(QPointF(35, 0), QPointF(100, 100))), (TPointRef{1, 1}));
    EXPECT_FALSE(nearest({31, 10}, QRectF(QPointF(70, 0), QPointF(100, 100))));
    EXPECT_FALSE(NearestPoint({}, {1, 1}, all, 1, 1));
}

// Colours in CIELAB after a simulation of each common colour-vision
// deficiency (Machado et al. 2009, full severity, on linear RGB).
TEST(Charts, TwelveCurveColoursStayApartForCommonColourVisionDeficiencies)
{
    const double sims[4][3][3] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0.152286, 1.052583, -0.204868},
         {0.114503, 0.786281, 0.099216},
         {-0.003882, -0.048116, 1.051998}},
        {{0.367322, 0.860646, -0.227968},
         {0.280085, 0.672501, 0.047413},
         {-0.011820, 0.042940, 0.968881}},
        {{1.255528, -0.076749, -0.178779},
         {-0.078411, 0.930809, 0.147602},
         {0.004733, 0.691367, 0.303900}},
    };
    auto lab = [&](QColor c, int sim) {
        auto lin = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        const double in[3] = {lin(c.redF()), lin(c.greenF()), lin(c.blueF())};
        double rgb[3];
        for (int i = 0; i < 3; ++i)
            rgb[i] = std::clamp(sims[sim][i][0] * in[0] + sims[sim][i][1] * in[1] +
                                    sims[sim][i][2] * in[2],
                                0.0, 1.0);
        const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
        const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
        const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
        auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    for (int i = 0; i < kCurvePaletteSize; ++i) {
        EXPECT_LE(lab(CurveColour(i), 0)[0], 72) << "too light to read on white: " << i;
        for (int j = 0; j < i; ++j)
            for (int sim = 0; sim < 4; ++sim) {
                const auto a = lab(CurveColour(i), sim), b = lab(CurveColour(j), sim);
                EXPECT_GE(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 12)
                    << "colours " << j << " and " << i << ", simulation " << sim;
            }
    }
    EXPECT_EQ(CurveColour(kCurvePaletteSize), CurveColour(0));
}

TEST(Charts, EachAddHasItsColourAndItsStandardCurveIsDashedInIt)
{
    TestForm f;
    f.Set(f.NumPoints, "11");
    f.ClickAdd();
    f.ShowDefault->setChecked(false);
    f.ClickAdd();
    f.ShowDefault->setChecked(true);
    f.ClickAdd();
    ASSERT_EQ(f.Series(f.NSAChart), 5);
    for (TCurveChartView* view : {f.NSAChart, f.Chart2}) {
        const QList<QAbstractSeries*> s = view->chart()->series();
        auto pen = [&](int i) { return static_cast<QLineSeries*>(s[i])->pen(); };
        EXPECT_EQ(pen(0).color(), CurveColour(0));
        EXPECT_EQ(pen(1).color(), CurveColour(0));
        EXPECT_EQ(pen(2).color(), CurveColour(1));
        EXPECT_EQ(pen(3).color(), CurveColour(2));
        EXPECT_EQ(pen(4).color(), CurveColour(2));
        for (int i : {0, 2, 3})
            EXPECT_EQ(pen(i).style(), Qt::SolidLine);
        for (int i : {1, 4})
            EXPECT_EQ(pen(i).style(), Qt::DashLine);
        EXPECT_TRUE(s[0]->name().startsWith("User: H, Tx 1 m, Rx 1-4 m, d 10 m"));
        EXPECT_TRUE(s[1]->name().startsWith("ANSI: H, Tx 1 m, Rx 1-4 m, d 10 m"));
    }
    // The second-graph switch keeps them.
    f.GraphEdMax->setChecked(true);
    EXPECT_EQ(static_cast<QLineSeries*>(f.Chart2->chart()->series()[3])->pen().color(),
              CurveColour(2));
    EXPECT_EQ(static_cast<QLineSeries*>(f.Chart2->chart()->series()[4])->pen().style(),
              Qt::DashLine);
}

TEST(Charts, ZoomPanAndResetKeepBothChartsOnTheSameFrequencies)
{
    TestForm f;
    f.Set(f.NumPoints, "101");
    f.show();
    f.ClickAdd();
    QApplication::processEvents();
    TCurveChartView* nsa = f.NSAChart;
    TCurveChartView* second = f.Chart2;
    const QPointF fullX = Range(BottomAxis(nsa->chart()));
    const QPointF fullY2 = Range(LeftAxis(second->chart()));

    // A rubber band on the NSA chart zooms it in both directions and the
    // second chart in frequency only.
    QWidget* port = nsa->viewport();
    const QPoint from = ViewPos(nsa, {200, 40}), to = ViewPos(nsa, {400, 20});
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    QTest::mouseMove(port, (from + to) / 2);
    QTest::mouseMove(port, to);
    QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    EXPECT_TRUE(nsa->IsZoomed());
    EXPECT_TRUE(second->IsZoomed());
    EXPECT_NEAR(BottomAxis(nsa->chart())->min(), 200, 10);
    EXPECT_NEAR(BottomAxis(nsa->chart())->max(), 400, 10);
    EXPECT_NEAR(LeftAxis(nsa->chart())->min(), 20, 2);
    EXPECT_EQ(Range(BottomAxis(second->chart())), Range(BottomAxis(nsa->chart())));
    EXPECT_EQ(Range(LeftAxis(second->chart())), fullY2);

    // The wheel on the second chart zooms frequency around the cursor, for both.
    const QPointF before = Range(BottomAxis(second->chart()));
    QTest::mouseMove(second->viewport(), ViewPos(second, {300, 2}));
    QWheelEvent wheel(ViewPos(second, {300, 2}),
                      second->viewport()->mapToGlobal(ViewPos(second, {300, 2})), {}, {0, 120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(second->viewport(), &wheel);
    const QPointF after = Range(BottomAxis(second->chart()));
    EXPECT_NEAR(after.y() - after.x(), 0.8 * (before.y() - before.x()), 1);
    EXPECT_EQ(Range(BottomAxis(nsa->chart())), after);

    // Shift with the left button pans; so does the middle button.
    for (auto [button, modifiers] :
         {std::pair{Qt::LeftButton, Qt::KeyboardModifiers(Qt::ShiftModifier)},
          std::pair{Qt::MiddleButton, Qt::KeyboardModifiers()}}) {
        const QPointF start = Range(BottomAxis(nsa->chart()));
        const QPoint at = ViewPos(nsa, {300, 30});
        QTest::mousePress(port, button, modifiers, at);
        QTest::mouseMove(port, at + QPoint(-40, 0));
        QTest::mouseRelease(port, button, modifiers, at + QPoint(-40, 0));
        const QPointF moved = Range(BottomAxis(nsa->chart()));
        EXPECT_GT(moved.x(), start.x());
        EXPECT_NEAR(moved.y() - moved.x(), start.y() - start.x(), 1e-6);
        EXPECT_EQ(Range(BottomAxis(second->chart())), moved);
    }

    // A double-click resets both.
    QTest::mouseDClick(port, Qt::LeftButton, {}, ViewPos(nsa, {300, 30}));
    EXPECT_FALSE(nsa->IsZoomed());
    EXPECT_FALSE(second->IsZoomed());
    EXPECT_EQ(Range(BottomAxis(nsa->chart())), fullX);
    EXPECT_EQ(Range(BottomAxis(second->chart())), fullX);

    // So does "Reset zoom" of the menu, and an Add shows all data again.
    second->ZoomFrequency(0.5, 500);
    std::unique_ptr<QMenu> menu(second->CreateContextMenu());
    QAction* reset = menu->actions().value(0);
    ASSERT_EQ(reset->text(), "Reset zoom");
    reset->trigger();
    EXPECT_FALSE(nsa->IsZoomed());
    nsa->ZoomFrequency(0.5, 500);
    f.ClickAdd();
    EXPECT_FALSE(nsa->IsZoomed());
    EXPECT_FALSE(second->IsZoomed());
}

TEST(Charts, HoverShowsTheNearestPointWithItsCurve)
{
    TestForm f;
    f.Set(f.NumPoints, "11");
    f.Set(f.SepDist, "3");
    f.Vertical->setChecked(true);
    f.show();
    f.ClickAdd();
    QApplication::processEvents();
    const nsa::TNSAData& user = f.Curves()[0];
    QTest::mouseMove(f.NSAChart->viewport(), ViewPos(f.NSAChart, {user.Freq[3], user.NSA[3]}));
    const QString text = f.NSAChart->ReadoutText();
    EXPECT_TRUE(text.startsWith("User: V, Tx 1 m, Rx 1-4 m, d 3 m")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString("Frequency (MHz): %1").arg(user.Freq[3], 0, 'g', 6)));
    EXPECT_TRUE(text.contains(QString("NSA (dB): %1").arg(user.NSA[3], 0, 'g', 6)));
    const nsa::TNSAData& ansi = f.Curves()[1];
    QTest::mouseMove(f.Chart2->viewport(), ViewPos(f.Chart2, {ansi.Freq[10], ansi.Height[10]}));
    EXPECT_TRUE(f.Chart2->ReadoutText().contains("Height (m): "))
        << f.Chart2->ReadoutText().toStdString();
    // Outside the plot area, and on leaving, nothing is shown.
    QTest::mouseMove(f.NSAChart->viewport(), QPoint(1, 1));
    EXPECT_TRUE(f.NSAChart->ReadoutText().isEmpty());
    // The exported picture has no crosshair or readout in it.
    QTest::mouseMove(f.NSAChart->viewport(), ViewPos(f.NSAChart, {user.Freq[3], user.NSA[3]}));
    f.NSAChart->ChartImage();
    EXPECT_TRUE(f.NSAChart->ReadoutText().isEmpty());
}

TEST(Charts, ContextMenuTogglesTheLegendAndExportsTheChart)
{
    TestForm f;
    f.Set(f.NumPoints, "11");
    f.show();
    f.ClickAdd();
    std::unique_ptr<QMenu> menu(f.NSAChart->CreateContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, (QStringList{"Reset zoom", "Show legend", "Copy image", "Save image as PNG...",
                                  "Save image as SVG...", "Compare measured..."}));
    EXPECT_FALSE(menu->actions()[0]->isEnabled()); // nothing to reset yet
    EXPECT_FALSE(f.NSAChart->chart()->legend()->isVisible());
    menu->actions()[1]->trigger();
    EXPECT_TRUE(f.NSAChart->chart()->legend()->isVisible());
    // One entry per Add: the dashed standard curve goes with its user curve.
    QApplication::processEvents();
    QStringList entries;
    for (QLegendMarker* marker : f.NSAChart->chart()->legend()->markers())
        if (marker->isVisible())
            entries << marker->label();
    EXPECT_EQ(entries, QStringList{"User: H, Tx 1 m, Rx 1-4 m, d 10 m"});
    std::unique_ptr<QMenu> second(f.Chart2->CreateContextMenu());
    EXPECT_EQ(second->actions().size(), 6); // no comparison there

    QApplication::clipboard()->clear();
    f.NSAChart->CopyImageToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), f.NSAChart->size());

    // Saving goes through the Save dialog; the extension is added when missing.
    TFileDialogSeen seen;
    AnswerFileDialog(&seen, f.settingsDir.filePath("chart"));
    f.SaveChartImage(f.NSAChart, "png");
    EXPECT_EQ(seen.name, "NSA.png");
    EXPECT_EQ(seen.types, (QStringList{"PNG images (*.png)", "All files (*)"}));
    QImage png(f.settingsDir.filePath("chart.png"));
    EXPECT_EQ(png.size(), f.NSAChart->size());

    const QString svgPath = f.settingsDir.filePath("chart.svg");
    EXPECT_EQ(WriteChartImage(f.Chart2, svgPath, "svg"), QString());
    QFile svg(svgPath);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray content = svg.readAll();
    EXPECT_TRUE(content.contains("<svg")) << content.left(200).toStdString();
    EXPECT_TRUE(content.contains("Height"));

    // A folder in the way is reported and nothing is written.
    QDir(f.settingsDir.path()).mkdir("taken.png");
    EXPECT_FALSE(WriteChartImage(f.NSAChart, f.settingsDir.filePath("taken.png"), "png").isEmpty());
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(Charts, MeasuredSiteComparisonPlotsThePointsAndTheDeviationUntilClear)
{
    TestForm f;
    f.Set(f.NumPoints, "11"); // 30, 127, ... 1000 MHz
    f.show();
    f.ClickAdd();
    const nsa::TNSAData& user = f.Curves()[0];
    // The measured site: the theoretical curve, off by known amounts.
    const QString path = f.settingsDir.filePath("site.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("Frequency NSA\n%1 %2\n%3 %4\n%5 %6\n2000 1\n")
                   .arg(user.Freq[0], 0, 'g', 17)
                   .arg(user.NSA[0] + 1, 0, 'g', 17)
                   .arg(user.Freq[5], 0, 'g', 17)
                   .arg(user.NSA[5] - 5, 0, 'g', 17)
                   .arg(user.Freq[10], 0, 'g', 17)
                   .arg(user.NSA[10] + 3, 0, 'g', 17)
                   .toUtf8());
    file.close();

    // Through the context menu's entry and its Open dialog.
    TFileDialogSeen seen;
    AnswerFileDialog(&seen, path);
    f.NSAChart->findChild<QAction*>(QStringLiteral("CompareMeasured"))->trigger();
    ASSERT_TRUE(f.messages.isEmpty()) << f.messages.join(' ').toStdString();
    EXPECT_EQ(seen.title, "Compare measured NSA");
    EXPECT_EQ(seen.types, (QStringList{"Measured NSA (*.csv *.txt *.dat)", "All files (*)"}));
    ASSERT_EQ(f.Series(f.NSAChart), 3);
    auto* measured = qobject_cast<QScatterSeries*>(f.NSAChart->chart()->series().last());
    ASSERT_NE(measured, nullptr);
    EXPECT_EQ(measured->count(), 4);
    auto* dialog = qobject_cast<TComparisonDialog*>(f.ComparisonWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Verdict->text().startsWith("site.txt: 2 of 3 points within"))
        << dialog->Verdict->text().toStdString();
    EXPECT_TRUE(dialog->Verdict->text().contains("-5.00 dB"));
    EXPECT_TRUE(dialog->Verdict->text().contains("1 outside the computed range"));
    EXPECT_TRUE(dialog->Verdict->text().endsWith("The site fails."));
    // The deviation line and the two limits span the compared band.
    const QList<QAbstractSeries*> dev = dialog->DeviationChart->chart()->series();
    EXPECT_EQ(static_cast<QLineSeries*>(dev[0])->points().size(), 3);
    EXPECT_EQ(static_cast<QLineSeries*>(dev[1])->points(),
              (QList<QPointF>{{user.Freq[0], 4}, {user.Freq[10], 4}}));

    // A bad file names its line and changes nothing.
    file.open(QIODevice::WriteOnly);
    file.write("30 1\n40 x\n");
    file.close();
    EXPECT_FALSE(f.CompareMeasured(path));
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].contains("line 2: \"x\" is not a number"))
        << f.messages[0].toStdString();
    EXPECT_EQ(f.ComparisonWindow(), dialog);

    QTest::mouseClick(f.ClearButton, Qt::LeftButton);
    EXPECT_EQ(f.ComparisonWindow(), nullptr);
    EXPECT_EQ(f.Series(f.NSAChart), 0);
    EXPECT_FALSE(f.CompareMeasured(path));
    EXPECT_EQ(f.messages.last(), "No data to compare with. Add a curve first.");
}
