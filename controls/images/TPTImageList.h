#pragma once

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

class QPainter;

// The one image-list abstraction of the controls: the tree, the list (one list
// for small and one for large icons) and the image combo all take one. It holds
// equally sized images by index and overlay images registered by overlay
// number (1 to 15), drawn over an image at the same position: an overlay image
// is as large as the others and transparent outside its emblem.
//
// Items carry a zero-based overlay index (-1: none); index n shows overlay
// number n + 1 (OverlayNumber).
//
// Count(), Image() and OverlayImage() are virtual so that a list can serve
// images kept elsewhere without this layer knowing where: the shell widgets
// adapt the process-wide system image list this way. An index, once it has an
// image, keeps it; a list whose images change under it calls ImagesChanged().
//
// Controls do not own their image list: they forget one that is destroyed and
// repaint on Changed. User-interface thread only.
class TPTImageList : public QObject
{
    Q_OBJECT

  public:
    explicit TPTImageList(const QSize& aImageSize, QObject* aParent = nullptr);

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

    // The overlay number an item's overlay index shows: 0 (none) for -1.
    static int OverlayNumber(int aOverlayIndex)
    {
        return aOverlayIndex >= 0 ? aOverlayIndex + 1 : 0;
    }

    // Draws image aIndex with its top-left at (aX, aY) and, for aOverlay > 0, that
    // overlay on top. A valid aBlend draws it selected: blended half and half with
    // aBlend where the image is opaque.
    void Draw(QPainter& aCanvas, int aIndex, int aX, int aY, int aOverlay = 0,
              const QColor& aBlend = QColor()) const;
    // Image aIndex with overlay aOverlay (0: none) as an icon for the item views;
    // composed once and kept until the images change. A null icon when there is
    // no image at aIndex.
    QIcon Icon(int aIndex, int aOverlay = 0) const;

  signals:
    // Images were added or replaced or an overlay was registered.
    void Changed();

  protected:
    // Forgets every composed icon and emits Changed.
    void ImagesChanged();

  private:
    QPixmap Composed(int aIndex, int aOverlay, const QColor& aBlend) const;

    QSize FImageSize;
    QList<QPixmap> FImages;
    QHash<int, int> FOverlays;
    mutable QHash<quint64, QIcon> FIcons;
};
