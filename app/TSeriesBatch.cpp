#include "app/TSeriesBatch.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLineSeries>

void TSeriesBatch::Add(const std::vector<double>& x, const std::vector<double>& y,
                       const TCurveStyle& style)
{
    pending_.emplace_back(AddLineSeries(chart_, {}, {}, style), PointsOf(x, y));
}

void TSeriesBatch::RangeAndFill()
{
    TDataBounds bounds = DataBoundsOf(chart_);
    for (const auto& [series, points] : pending_)
        bounds.Add(points);
    ScaleAxesTo(chart_, bounds);
    // New tick labels change the plot area; settle it while the new series
    // are still empty, or they would all be laid out a second time.
    if (QGraphicsLayout* layout = chart_->layout())
        layout->activate();
    for (auto& [series, points] : pending_)
        series->replace(points);
    pending_.clear();
}
