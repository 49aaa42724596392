#include "app/AxisScale.h"

#include <algorithm>
#include <cmath>

namespace
{

// Data beyond this is no measurement; keeping below it leaves room for the
// rounding out and the span arithmetic without overflow.
constexpr double kLargest = 1e300;
// The narrowest span shown, relative to the values: a million ulps, so that
// tick arithmetic stays exact enough and every label can still differ.
constexpr double kLeastRelativeSpan = 1e-9;
constexpr double kLeastSpan = 1e-300;

struct Span {
    double low, high;
};

// Clamps to the usable range and widens a span that is too narrow to draw,
// keeping its centre.
Span Sanitize(double low, double high)
{
    if (!std::isfinite(low) && !std::isfinite(high))
        return {0, 1};
    if (!std::isfinite(low))
        low = high;
    if (!std::isfinite(high))
        high = low;
    if (low > high)
        std::swap(low, high);
    low = std::clamp(low, -kLargest, kLargest);
    high = std::clamp(high, -kLargest, kLargest);
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    const double least = std::max(magnitude * kLeastRelativeSpan, kLeastSpan);
    if (high - low < least) {
        const double centre = low / 2 + high / 2;
        low = centre - least / 2;
        high = centre + least / 2;
    }
    return {low, high};
}

// 1, 2 or 5 times a power of ten, at least span / 5.
double NiceInterval(double span)
{
    const double rough = span / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return nice * magnitude;
}

// Enough significant digits for neighbouring ticks to print differently,
// never fewer than "%g" gives.
int LabelPrecision(double low, double high, double interval)
{
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    if (magnitude == 0)
        return 6;
    const int digits = int(std::ceil(std::log10(magnitude / interval))) + 1;
    return std::clamp(digits, 6, 17);
}

TAxisScale Make(double low, double high, double anchor, double interval)
{
    TAxisScale s;
    s.min = low;
    s.max = high;
    s.anchor = anchor;
    s.interval = interval;
    s.precision = LabelPrecision(low, high, interval);
    return s;
}

} // namespace

TAxisScale ScaleForData(double low, double high)
{
    if (low == high && std::isfinite(low)) { // a flat line still needs a span to be drawn in
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.05;
        low -= pad;
        high += pad;
    }
    const Span s = Sanitize(low, high);
    const double interval = NiceInterval(s.high - s.low);
    const double roundedLow = std::floor(s.low / interval) * interval;
    const double roundedHigh = std::ceil(s.high / interval) * interval;
    return Make(roundedLow, roundedHigh, roundedLow, interval);
}

TAxisScale ScaleForView(double low, double high)
{
    const Span s = Sanitize(low, high);
    const double interval = NiceInterval(s.high - s.low);
    return Make(s.low, s.high, std::ceil(s.low / interval) * interval, interval);
}
