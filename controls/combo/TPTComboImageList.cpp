#include "controls/combo/TPTComboImageList.h"

#include <QImage>
#include <QPainter>

TPTComboImageList::TPTComboImageList(const QSize& aImageSize, QObject* aParent)
    : QObject(aParent), FImageSize(aImageSize)
{
}

int TPTComboImageList::Add(const QPixmap& aImage)
{
    FImages.append(aImage.size() == FImageSize ? aImage
                                               : aImage.scaled(FImageSize, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation));
    return int(FImages.size()) - 1;
}

QPixmap TPTComboImageList::Image(int aIndex) const
{
    return aIndex >= 0 && aIndex < FImages.size() ? FImages.at(aIndex) : QPixmap();
}

void TPTComboImageList::SetOverlayImage(int aImageIndex, int aOverlay)
{
    if (aOverlay >= 1 && aOverlay <= 15)
        FOverlays.insert(aOverlay, aImageIndex);
}

void TPTComboImageList::Draw(QPainter& aCanvas, int aIndex, int aX, int aY, int aOverlay,
                             const QColor& aBlend) const
{
    const QPixmap image = Image(aIndex);
    if (image.isNull())
        return;
    const int overlayImage = aOverlay > 0 ? OverlayImage(aOverlay) : -1;
    const QPixmap overlay = overlayImage >= 0 ? Image(overlayImage) : QPixmap();
    if (overlay.isNull() && !aBlend.isValid()) {
        aCanvas.drawPixmap(aX, aY, image);
        return;
    }
    QImage composed(FImageSize, QImage::Format_ARGB32_Premultiplied);
    composed.fill(Qt::transparent);
    {
        QPainter p(&composed);
        p.drawPixmap(0, 0, image);
        if (!overlay.isNull())
            p.drawPixmap(0, 0, overlay);
        if (aBlend.isValid()) {
            QColor half = aBlend;
            half.setAlpha(128);
            p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
            p.fillRect(composed.rect(), half);
        }
    }
    aCanvas.drawImage(aX, aY, composed);
}
