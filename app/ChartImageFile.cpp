#include "app/ChartImageFile.h"

#include "app/TCurveChartView.h"
#include "nsa/CsvFile.h"
#include "platform/FileNameCodec.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

QString WriteChartImage(TCurveChartView* chart, const QString& path, const QString& format)
{
    // Drawn in memory first, then written as the CSV file is: the path may
    // name bytes that are not UTF-8 (FileNameCodec.h), and a failed write
    // leaves the old file whole.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == QLatin1String("svg")) {
        chart->HideReadout();
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(chart->accessibleName());
        QPainter painter(&svg);
        chart->render(&painter, QRectF(), chart->viewport()->rect());
    } else if (!chart->ChartImage().save(&buffer, "PNG")) {
        return QObject::tr("the image could not be encoded");
    }
    const nsa::FileWriteResult result =
        nsa::WriteFileReplacing(FileNameFromString(path).toStdString(), bytes.toStdString());
    return result.ok ? QString() : QString::fromLocal8Bit(result.error);
}
