#pragma once

#include "app/AxisScale.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
class QValueAxis;
class QWidget;
QT_END_NAMESPACE

class TCurveChartView;

// The chart settings the main window fixes: no visible title or legend, a
// flat chart with a white plot area, a value axis at the bottom and left.
// The hidden title text is kept as the view's accessible name.
TCurveChartView* CreateCurveChart(QWidget* parent, const QString& objectName, const QString& title,
                                  const QString& bottomTitle, const QString& leftTitle);

QValueAxis* BottomAxis(QChart* chart);
QValueAxis* LeftAxis(QChart* chart);

// How one curve is drawn; the name shows in the legend and the readout. A
// dashed curve goes with the solid one of its colour and has no legend entry.
struct TCurveStyle {
    QColor colour;
    bool dashed = false;
    QString name;
};

QList<QPointF> PointsOf(const std::vector<double>& x, const std::vector<double>& y);

// One line series of the points (x[i], y[i]), appended after the chart's
// other series and owned by the chart. The axes are left as they are; to add
// several series and range the axes for them, TSeriesBatch is quicker.
QLineSeries* AddLineSeries(QChart* chart, const std::vector<double>& x,
                           const std::vector<double>& y, const TCurveStyle& style);

// Removes and destroys the series, first to last.
void DeleteAllSeries(QChart* chart);

// The extent of the finite coordinates of some points.
struct TDataBounds {
    double xMin, xMax, yMin, yMax; // min > max while empty
    TDataBounds();
    void Add(const QList<QPointF>& points);
};

TDataBounds DataBoundsOf(QChart* chart);

// Sets both axes to the bounds, rounded to readable ticks; an empty extent
// gives the axes the look they have at start-up.
void ScaleAxesTo(QChart* chart, const TDataBounds& bounds);

// ScaleAxesTo the points of all series shown.
void ScaleAxesToData(QChart* chart);

void ApplyAxisScale(QValueAxis* axis, const TAxisScale& scale);
