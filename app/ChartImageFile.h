#pragma once

#include <QString>

class TCurveChartView;

// Writes the chart as shown (without crosshair and readout) to path, as
// "png" (the view's pixels) or "svg" (vector drawing of the same size). The
// file is replaced only once the whole image is written. Returns the reason
// when it could not be written, else an empty string.
QString WriteChartImage(TCurveChartView* chart, const QString& path, const QString& format);
