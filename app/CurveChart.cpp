#include "app/CurveChart.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

QChartView* CreateCurveChart(QWidget* parent, const QString& objectName, const QString& title,
                             const QString& bottomTitle, const QString& leftTitle)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, 4));
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setAnimationOptions(QChart::NoAnimation);

    QFont axisFont = parent->font();
    auto addAxis = [&](Qt::Alignment where, const QString& text) {
        auto* axis = new QValueAxis;
        axis->setTitleText(text);
        axis->setLabelsFont(axisFont);
        axis->setTitleFont(axisFont);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setRange(0, 1);
        chart->addAxis(axis, where);
    };
    addAxis(Qt::AlignBottom, bottomTitle);
    addAxis(Qt::AlignLeft, leftTitle);

    auto* view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setAccessibleName(title);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus); // nothing to do with the keyboard in a chart
    return view;
}

static QValueAxis* AxisAt(QChart* chart, Qt::Alignment where)
{
    const QList<QAbstractAxis*> axes =
        chart->axes(where == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

QValueAxis* BottomAxis(QChart* chart)
{
    return AxisAt(chart, Qt::AlignBottom);
}
QValueAxis* LeftAxis(QChart* chart)
{
    return AxisAt(chart, Qt::AlignLeft);
}

void AddLineSeries(QChart* chart, const std::vector<double>& x, const std::vector<double>& y)
{
    QList<QPointF> points;
    const std::size_t n = std::min(x.size(), y.size());
    points.reserve(qsizetype(n));
    for (std::size_t i = 0; i < n; ++i)
        points.append(QPointF(x[i], y[i]));
    auto* series = new QLineSeries;
    series->replace(points); // one update instead of one per point
    chart->addSeries(series);
    series->attachAxis(BottomAxis(chart));
    series->attachAxis(LeftAxis(chart));
}

void DeleteAllSeries(QChart* chart)
{
    while (!chart->series().isEmpty()) {
        QAbstractSeries* first = chart->series().first();
        chart->removeSeries(first);
        delete first;
    }
}

namespace
{

struct Range {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    void add(double v)
    {
        if (std::isfinite(v)) {
            min = std::min(min, v);
            max = std::max(max, v);
        }
    }
    bool empty() const { return min > max; }
};

void SetAxisRange(QValueAxis* axis, Range r)
{
    if (r.empty()) {
        axis->setRange(0, 1);
        return;
    }
    if (r.min == r.max) { // a flat line still needs a span to be drawn in
        const double pad = r.min == 0 ? 1 : std::fabs(r.min) * 0.05;
        r.min -= pad;
        r.max += pad;
    }
    // Ticks at 1, 2 or 5 times a power of ten, about five of them.
    const double rough = (r.max - r.min) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double step = (fraction <= 1   ? 1
                         : fraction <= 2 ? 2
                         : fraction <= 5 ? 5
                                         : 10) *
                        magnitude;
    const double low = std::floor(r.min / step) * step;
    const double high = std::ceil(r.max / step) * step;
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(low);
    axis->setTickInterval(step);
    axis->setRange(low, high);
}

} // namespace

void ScaleAxesToData(QChart* chart)
{
    Range x, y;
    for (QAbstractSeries* s : chart->series())
        if (auto* line = qobject_cast<QXYSeries*>(s))
            for (const QPointF& p : line->points()) {
                x.add(p.x());
                y.add(p.y());
            }
    SetAxisRange(BottomAxis(chart), x);
    SetAxisRange(LeftAxis(chart), y);
}
