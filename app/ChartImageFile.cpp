#include "app/ChartImageFile.h"

#include "app/TCurveChartView.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

QString WriteChartImage(TCurveChartView* chart, const QString& path, const QString& format)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (format == QLatin1String("svg")) {
        chart->HideReadout();
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(chart->accessibleName());
        QPainter painter(&svg);
        chart->render(&painter, QRectF(), chart->viewport()->rect());
    } else if (!chart->ChartImage().save(&file, "PNG")) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString()
                                                    : QObject::tr("the image could not be encoded");
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
