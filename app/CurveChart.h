#pragma once

#include <QString>

#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QValueAxis;
class QWidget;
QT_END_NAMESPACE

// The chart settings the main window fixes: no visible title or legend, a
// flat chart with a white plot area, a value axis at the bottom and left.
// The hidden title text is kept as the view's accessible name.
QChartView* CreateCurveChart(QWidget* parent, const QString& objectName, const QString& title,
                             const QString& bottomTitle, const QString& leftTitle);

QValueAxis* BottomAxis(QChart* chart);
QValueAxis* LeftAxis(QChart* chart);

// One line series of the points (x[i], y[i]), appended after the chart's
// other series and owned by the chart.
void AddLineSeries(QChart* chart, const std::vector<double>& x, const std::vector<double>& y);

// Removes and destroys the series, first to last.
void DeleteAllSeries(QChart* chart);

// Sets both axes to the range of all points shown, rounded to readable ticks.
void ScaleAxesToData(QChart* chart);
