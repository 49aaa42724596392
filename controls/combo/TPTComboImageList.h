#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

class QPainter;

// The images of an image combo: equally sized images by index, and overlay
// images registered by overlay number (1 to 15) that are drawn on top of an
// image. Count(), Image() and OverlayImage() are virtual so that a list can
// serve images on demand (the folder combo can forward to the shared system
// image list this way) without this layer knowing where they come from.
class TPTComboImageList : public QObject
{
    Q_OBJECT

  public:
    explicit TPTComboImageList(const QSize& aImageSize, QObject* aParent = nullptr);

    QSize ImageSize() const { return FImageSize; }
    int Width() const { return FImageSize.width(); }
    int Height() const { return FImageSize.height(); }

    // Appends aImage, scaled to the image size when it differs; returns its index.
    int Add(const QPixmap& aImage);
    virtual int Count() const { return int(FImages.size()); }
    // The image at aIndex, or a null pixmap when there is none.
    virtual QPixmap Image(int aIndex) const;

    // Makes image aImageIndex the overlay with number aOverlay (1 to 15).
    void SetOverlayImage(int aImageIndex, int aOverlay);
    // The image index of overlay number aOverlay, or -1.
    virtual int OverlayImage(int aOverlay) const { return FOverlays.value(aOverlay, -1); }

    // Draws image aIndex with its top-left at (aX, aY) and, for aOverlay > 0, that
    // overlay on top. A valid aBlend draws it selected: blended half and half with
    // aBlend where the image is opaque.
    void Draw(QPainter& aCanvas, int aIndex, int aX, int aY, int aOverlay = 0,
              const QColor& aBlend = QColor()) const;

  private:
    QSize FImageSize;
    QList<QPixmap> FImages;
    QHash<int, int> FOverlays;
};
