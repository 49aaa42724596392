#pragma once

#include "app/CurveChart.h"

#include <QList>
#include <QPointF>

#include <utility>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
QT_END_NAMESPACE

// Adds several line series to a chart and ranges its axes for everything it
// then shows, laying each series out once. A series joins the chart empty
// (which costs nothing to lay out), the axes are set once for the points of
// the chart and of the batch, the chart's layout settles to the new tick
// labels, and only then do the points go in. Added and ranged one by one,
// every new range would lay out every series again.
class TSeriesBatch
{
  public:
    explicit TSeriesBatch(QChart* chart) : chart_(chart) {}

    void Add(const std::vector<double>& x, const std::vector<double>& y, const TCurveStyle& style);
    void RangeAndFill();

  private:
    QChart* chart_;
    std::vector<std::pair<QLineSeries*, QList<QPointF>>> pending_;
};
