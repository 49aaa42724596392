#include "controls/splitter/TPTSizingLine.h"

#include <QPainter>
#include <QPixmap>

TPTSizingLine::TPTSizingLine(QWidget* aSplitter) : QWidget(aSplitter)
{
    setObjectName(QStringLiteral("sizingLine"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TPTSizingLine::ShowAt(const QRect& aRect)
{
    QWidget* splitter = parentWidget();
    const QRect area = aRect.intersected(splitter->rect());
    if (area.isEmpty()) {
        hide();
        return;
    }
    const QPixmap below = splitter->grab(area);
    FImage = below.toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = below.devicePixelRatio();
    InvertCheckerboard(FImage, QPoint(qRound(area.x() * dpr), qRound(area.y() * dpr)));
    FImage.setDevicePixelRatio(dpr);
    setGeometry(area);
    show();
    raise();
    update();
}

void TPTSizingLine::InvertCheckerboard(QImage& aImage, const QPoint& aOrigin)
{
    for (int y = 0; y < aImage.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(aImage.scanLine(y));
        for (int x = 0; x < aImage.width(); ++x) {
            if (((aOrigin.x() + x) ^ (aOrigin.y() + y)) & 1)
                line[x] = (line[x] ^ 0x00FFFFFF) | 0xFF000000;
        }
    }
}

void TPTSizingLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), FImage);
}
