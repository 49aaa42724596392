#include "shell/icons/TShellImageList.h"

QPixmap TShellImageList::Pixmap(int index) const
{
    return index >= 0 && index < Count() ? m_images[index] : QPixmap();
}

int TShellImageList::Add(const QPixmap& pixmap)
{
    m_images.append(pixmap);
    return Count() - 1;
}

void TShellImageList::SetOverlayImage(int image, int overlay)
{
    m_overlays[overlay] = image;
}

int TShellImageList::OverlayImage(int overlay) const
{
    const auto it = m_overlays.find(overlay);
    return it == m_overlays.end() ? -1 : it->second;
}
