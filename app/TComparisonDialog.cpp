#include "app/TComparisonDialog.h"

#include "app/TCurveChartView.h"

#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace
{

QString Db(double v)
{
    return QLocale().toString(v, 'f', 2);
}

QString VerdictText(const nsa::TSiteComparison& c, const QString& fileName)
{
    QString text = QObject::tr("%1: %2 of %3 points within \u00b1%4 dB")
                       .arg(fileName)
                       .arg(c.compared - c.failed)
                       .arg(c.compared)
                       .arg(nsa::kAcceptanceDb);
    if (c.worst >= 0) {
        const nsa::TComparisonRow& worst = c.rows[std::size_t(c.worst)];
        text += QObject::tr("; largest deviation %1 dB at %2 MHz")
                    .arg(Db(worst.deviation), QLocale().toString(worst.measured.Freq, 'g', 6));
    }
    if (c.notCompared > 0)
        text += QObject::tr("; %1 outside the computed range, not compared").arg(c.notCompared);
    text += c.Passed() ? QObject::tr(". The site passes.") : QObject::tr(". The site fails.");
    return text;
}

} // namespace

TComparisonDialog::TComparisonDialog(QWidget* parent, const nsa::TSiteComparison& comparison,
                                     const QString& fileName, const TCurveStyle& theory)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ComparisonDialog"));
    setWindowTitle(tr("Measured site comparison"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 340);

    Verdict = new QLabel(VerdictText(comparison, fileName), this);
    Verdict->setObjectName(QStringLiteral("Verdict"));
    Verdict->setWordWrap(true);
    DeviationChart = CreateCurveChart(this, QStringLiteral("DeviationChart"),
                                      tr("Deviation from the theoretical NSA"),
                                      tr("Frequency (MHz)"), tr("Deviation (dB)"));
    DeviationChart->setMinimumSize(300, 200);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Verdict);
    layout->addWidget(DeviationChart, 1);

    QChart* chart = DeviationChart->chart();
    std::vector<double> f, deviation, fIn, inside, fOut, outside;
    for (const nsa::TComparisonRow& row : comparison.rows) {
        if (!row.compared)
            continue;
        f.push_back(row.measured.Freq);
        deviation.push_back(row.deviation);
        (row.within ? fIn : fOut).push_back(row.measured.Freq);
        (row.within ? inside : outside).push_back(row.deviation);
    }
    // The deviation as a line in the theory curve's colour, its points marked
    // (red where outside the window), and the two limits across the band.
    TCurveStyle line = theory;
    line.name = tr("Measured - theoretical");
    AddLineSeries(chart, f, deviation, line);
    const auto [lowest, highest] = std::minmax_element(f.begin(), f.end());
    for (double limit : {nsa::kAcceptanceDb, -nsa::kAcceptanceDb})
        if (!f.empty())
            AddLineSeries(chart, {*lowest, *highest}, {limit, limit},
                          {Qt::red, true, tr("Limit %1 dB").arg(limit)});
    auto addPoints = [&](const std::vector<double>& x, const std::vector<double>& y,
                         const QColor& colour, const QString& name) {
        auto* points = new QScatterSeries;
        points->setName(name);
        points->setMarkerSize(6);
        points->setColor(colour);
        points->setBorderColor(colour);
        for (std::size_t i = 0; i < x.size(); ++i)
            points->append(x[i], y[i]);
        chart->addSeries(points);
        points->attachAxis(BottomAxis(chart));
        points->attachAxis(LeftAxis(chart));
    };
    addPoints(fIn, inside, theory.colour, tr("Within the window"));
    addPoints(fOut, outside, Qt::red, tr("Outside the window"));
    ScaleAxesToData(chart);
}
