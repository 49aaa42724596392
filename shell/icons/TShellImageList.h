#pragma once

#include <QList>
#include <QPixmap>
#include <QSize>

#include <map>

// One of the two process-wide system image lists (16 and 32 pixels). Both
// hold the same icons at the same indexes; overlay images are ordinary images
// registered under an overlay number (1 share, 2 link). Shared: controls
// never destroy it. User-interface thread only.
class TShellImageList
{
  public:
    explicit TShellImageList(int size) : m_size(size) {}

    QSize IconSize() const { return QSize(m_size, m_size); }
    int Count() const { return static_cast<int>(m_images.size()); }
    // A null pixmap for an index out of range.
    QPixmap Pixmap(int index) const;
    int Add(const QPixmap& pixmap);

    void SetOverlayImage(int image, int overlay);
    // The image registered for an overlay number, or -1.
    int OverlayImage(int overlay) const;

  private:
    int m_size;
    QList<QPixmap> m_images;
    std::map<int, int> m_overlays;
};
