#include "controls/images/TPTImageList.h"

#include <QImage>
#include <QPainter>

TPTImageList::TPTImageList(const QSize& aImageSize, QObject* aParent)
    : QObject(aParent), FImageSize(aImageSize)
{
}

int TPTImageList::Add(const QPixmap& aImage)
{
    FImages.append(
        aImage.isNull() || aImage.size() == FImageSize
            ? aImage
            : aImage.scaled(FImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    ImagesChanged();
    return int(FImages.size()) - 1;
}

QPixmap TPTImageList::Image(int aIndex) const
{
    return aIndex >= 0 && aIndex < FImages.size() ? FImages.at(aIndex) : QPixmap();
}

void TPTImageList::SetOverlayImage(int aImageIndex, int aOverlay)
{
    if (aOverlay < 1 || aOverlay > 15)
        return;
    FOverlays.insert(aOverlay, aImageIndex);
    ImagesChanged();
}

void TPTImageList::ImagesChanged()
{
    FIcons.clear();
    emit Changed();
}

QPixmap TPTImageList::Composed(int aIndex, int aOverlay, const QColor& aBlend) const
{
    const QPixmap image = Image(aIndex);
    if (image.isNull())
        return image;
    const int overlayImage = aOverlay > 0 ? OverlayImage(aOverlay) : -1;
    const QPixmap overlay = overlayImage >= 0 ? Image(overlayImage) : QPixmap();
    if (overlay.isNull() && !aBlend.isValid())
        return image;
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
    return QPixmap::fromImage(composed);
}

void TPTImageList::Draw(QPainter& aCanvas, int aIndex, int aX, int aY, int aOverlay,
                        const QColor& aBlend) const
{
    const QPixmap image = Composed(aIndex, aOverlay, aBlend);
    if (!image.isNull())
        aCanvas.drawPixmap(aX, aY, image);
}

QIcon TPTImageList::Icon(int aIndex, int aOverlay) const
{
    if (aIndex < 0)
        return {};
    // Views ask for every painted item; composing an overlay each time would
    // cost more than the paint itself.
    const quint64 key = (quint64(quint32(aIndex)) << 8) | quint64(aOverlay & 0xff);
    const auto cached = FIcons.constFind(key);
    if (cached != FIcons.constEnd())
        return *cached;
    const QPixmap pixmap = Composed(aIndex, aOverlay, QColor());
    if (pixmap.isNull())
        return {};
    const QIcon icon(pixmap);
    FIcons.insert(key, icon);
    return icon;
}
