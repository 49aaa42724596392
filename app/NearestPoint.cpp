#include "app/NearestPoint.h"

#include <cmath>
#include <limits>

std::optional<TPointRef> NearestPoint(const std::vector<QList<QPointF>>& series, QPointF target,
                                      const QRectF& visible, double xScale, double yScale)
{
    std::optional<TPointRef> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t s = 0; s < series.size(); ++s) {
        const QList<QPointF>& points = series[s];
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QPointF p = points[i];
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            if (p.x() < visible.left() || p.x() > visible.right() || p.y() < visible.top() ||
                p.y() > visible.bottom())
                continue;
            const double dx = (p.x() - target.x()) * xScale;
            const double dy = (p.y() - target.y()) * yScale;
            const double distance = dx * dx + dy * dy;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = TPointRef{int(s), int(i)};
            }
        }
    }
    return best;
}
