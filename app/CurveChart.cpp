#include "app/CurveChart.h"

#include "app/TCurveChartView.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

// The axes as the chart shows them before the first curve: 0 to 1 with Qt's
// five fixed ticks.
void ShowStartUpLook(QValueAxis* axis)
{
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setTickCount(5);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(0, 1);
}

} // namespace

TCurveChartView* CreateCurveChart(QWidget* parent, const QString& objectName, const QString& title,
                                  const QString& bottomTitle, const QString& leftTitle)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(parent->font());
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
        ShowStartUpLook(axis);
        chart->addAxis(axis, where);
    };
    addAxis(Qt::AlignBottom, bottomTitle);
    addAxis(Qt::AlignLeft, leftTitle);

    auto* view = new TCurveChartView(chart, parent);
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

QList<QPointF> PointsOf(const std::vector<double>& x, const std::vector<double>& y)
{
    QList<QPointF> points;
    const std::size_t n = std::min(x.size(), y.size());
    points.reserve(qsizetype(n));
    for (std::size_t i = 0; i < n; ++i)
        points.append(QPointF(x[i], y[i]));
    return points;
}

QLineSeries* AddLineSeries(QChart* chart, const std::vector<double>& x,
                           const std::vector<double>& y, const TCurveStyle& style)
{
    const QList<QPointF> points = PointsOf(x, y);
    auto* series = new QLineSeries;
    series->setName(style.name);
    QPen pen(style.colour, 1.5);
    pen.setStyle(style.dashed ? Qt::DashLine : Qt::SolidLine);
    series->setPen(pen);
    series->replace(points); // one update instead of one per point
    chart->addSeries(series);
    series->attachAxis(BottomAxis(chart));
    series->attachAxis(LeftAxis(chart));
    // A dashed curve is the companion of the solid one in its colour: one
    // legend entry for both.
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(!style.dashed);
    return series;
}

void DeleteAllSeries(QChart* chart)
{
    while (!chart->series().isEmpty()) {
        QAbstractSeries* first = chart->series().first();
        chart->removeSeries(first);
        delete first;
    }
}

void ApplyAxisScale(QValueAxis* axis, const TAxisScale& scale)
{
    axis->setLabelFormat(QStringLiteral("%.%1g").arg(scale.precision));
    // Range first with the old ticks switched off, so no intermediate state
    // pairs a new range with an interval it would need millions of ticks for.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(scale.min, scale.max);
    axis->setTickAnchor(scale.anchor);
    axis->setTickInterval(scale.interval);
    axis->setTickType(QValueAxis::TicksDynamic);
}

TDataBounds::TDataBounds()
    : xMin(std::numeric_limits<double>::infinity()), xMax(-xMin), yMin(xMin), yMax(-xMin)
{
}

void TDataBounds::Add(const QList<QPointF>& points)
{
    for (const QPointF& p : points) {
        if (std::isfinite(p.x())) {
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
        }
        if (std::isfinite(p.y())) {
            yMin = std::min(yMin, p.y());
            yMax = std::max(yMax, p.y());
        }
    }
}

TDataBounds DataBoundsOf(QChart* chart)
{
    TDataBounds bounds;
    for (QAbstractSeries* s : chart->series())
        if (auto* xy = qobject_cast<QXYSeries*>(s))
            bounds.Add(xy->points());
    return bounds;
}

void ScaleAxesTo(QChart* chart, const TDataBounds& bounds)
{
    for (auto [axis, low, high] : {std::tuple{BottomAxis(chart), bounds.xMin, bounds.xMax},
                                   std::tuple{LeftAxis(chart), bounds.yMin, bounds.yMax}}) {
        if (low > high)
            ShowStartUpLook(axis);
        else
            ApplyAxisScale(axis, ScaleForData(low, high));
    }
}

void ScaleAxesToData(QChart* chart)
{
    ScaleAxesTo(chart, DataBoundsOf(chart));
}
