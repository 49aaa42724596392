#include "app/CurveChart.h"
#include "app/VeldmarkMain.h"
#include "nsa/NSACurve.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <limits>

// Time from a click on Add to both charts painted with the new series, on a
// shown window of the offscreen platform. Each iteration starts from cleared
// charts so the work per click stays the same.
namespace
{

// Until the user sees it: the chart's deferred layout and scene updates are
// processed, then both plot areas are painted.
void PaintCharts(TMainForm& form)
{
    QApplication::processEvents();
    form.NSAChart->viewport()->repaint();
    form.Chart2->viewport()->repaint();
}

void AddToShown(benchmark::State& state, const char* start, const char* stop, const char* points)
{
    QTemporaryDir settings;
    TMainForm form(settings.filePath(QStringLiteral("VELDMARK.INI")));
    std::string message;
    form.MessagePresenter = [&](QWidget*, const QString& text, QMessageBox::Icon) {
        message = text.toStdString();
        state.SkipWithError(message.c_str());
    };
    form.ProgressThreshold =
        std::numeric_limits<std::int64_t>::max(); // time the work, not a dialog
    form.StartFreq->setText(QString::fromLatin1(start));
    form.StopFreq->setText(QString::fromLatin1(stop));
    form.NumPoints->setText(QString::fromLatin1(points));
    form.ShowDefault->setChecked(true);
    form.show();
    QApplication::processEvents();

    std::int64_t evaluations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.ClearButtonClick();
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::mouseClick(form.AddButton, Qt::LeftButton);
        PaintCharts(form);
        if (form.Curves().size() != 2)
            state.SkipWithError("the Add stored no curves");
        else
            evaluations += nsa::CurveFieldEvaluations(form.Curves()[0]) +
                           nsa::CurveFieldEvaluations(form.Curves()[1]);
    }
    state.counters["evaluations/s"] =
        benchmark::Counter(double(evaluations), benchmark::Counter::kIsRate);
}

void BM_AddDefaults(benchmark::State& state)
{
    AddToShown(state, "30", "1000", "971");
}
void BM_Add2001PointsAbove10GHz(benchmark::State& state)
{
    AddToShown(state, "10000", "18000", "2001");
}

// Plotting alone, for the default Add's two curves: as the window does it
// (all series added, the axes ranged once per chart) and, as the anchor, the
// way it used to (the axes ranged after every series).
void PlotDefaults(benchmark::State& state, bool rangeOnce)
{
    QTemporaryDir settings;
    TMainForm form(settings.filePath(QStringLiteral("VELDMARK.INI")));
    form.ShowDefault->setChecked(true);
    form.show();
    QTest::mouseClick(form.AddButton, Qt::LeftButton);
    const std::vector<nsa::TNSAData> curves = form.Curves();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        form.ClearButtonClick();
        PaintCharts(form);
        state.ResumeTiming();
        if (rangeOnce)
            form.PlotAndStore(curves);
        else
            for (const nsa::TNSAData& c : curves) {
                for (auto [chart, y] : {std::pair{form.NSAChart->chart(), &c.NSA},
                                        std::pair{form.Chart2->chart(), &c.Height}}) {
                    AddLineSeries(chart, c.Freq, *y, TCurveStyle{Qt::blue, c.AnsiDefault, {}});
                    ScaleAxesToData(chart);
                }
            }
        PaintCharts(form);
    }
}

void BM_PlotDefaultsRangedOnce(benchmark::State& state)
{
    PlotDefaults(state, true);
}
void BM_PlotDefaultsRangedPerSeries(benchmark::State& state)
{
    PlotDefaults(state, false);
}

} // namespace

BENCHMARK(BM_PlotDefaultsRangedPerSeries)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlotDefaultsRangedOnce)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddDefaults)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Add2001PointsAbove10GHz)->Unit(benchmark::kMillisecond)->UseRealTime();
