#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

struct TPointRef {
    int series = -1;
    int point = -1;
    bool operator==(const TPointRef&) const = default;
};

// The point nearest to target on screen, among the points of every series
// that lie inside visible (value coordinates). xScale and yScale are pixels
// per unit of each axis, so the distance is the one the user sees. Points
// with a coordinate that is not finite are skipped; on equal distance the
// earlier series, then the earlier point wins. Empty when no point is visible.
std::optional<TPointRef> NearestPoint(const std::vector<QList<QPointF>>& series, QPointF target,
                                      const QRectF& visible, double xScale, double yScale);
