#pragma once

#include "app/CurveChart.h"
#include "nsa/SiteComparison.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE

class TCurveChartView;

// The deviation of a measured site from the theoretical NSA, point by point,
// against the acceptance window: a verdict line and a chart of the deviation
// with the limits dashed in red. Not modal, so the main window's charts stay
// usable beside it.
class TComparisonDialog : public QDialog
{
    Q_OBJECT

  public:
    TComparisonDialog(QWidget* parent, const nsa::TSiteComparison& comparison,
                      const QString& fileName, const TCurveStyle& theory);

    QLabel* Verdict;
    TCurveChartView* DeviationChart;
};
