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
        form.NSAChart->repaint();
        form.Chart2->repaint();
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

} // namespace

BENCHMARK(BM_AddDefaults)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Add2001PointsAbove10GHz)->Unit(benchmark::kMillisecond)->UseRealTime();
