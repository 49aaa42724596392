#include "controls/treelist/TPTCustomListView.h"

// Item images: small, large and overlay images by index, composed once
// and cached.

#include "controls/treelist/PTIconUtils.h"
#include "controls/treelist/TPTListItemModel.h"

void TPTCustomListView::SetSmallImages(TPTImageProvider images)
{
    FSmallImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetLargeImages(TPTImageProvider images)
{
    FLargeImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetOverlayImages(TPTImageProvider images)
{
    FOverlayImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

QIcon TPTCustomListView::ItemDispIcon(int row)
{
    TPTListItem& item = FModel->Item(row);
    const int image = GetDispImage(item);
    const bool large = FViewStyle == vsIcon;
    const TPTImageProvider& images = large ? FLargeImages : FSmallImages;
    if (image < 0 || !images)
        return {};
    const int overlay = FOverlayImages ? item.OverlayIndex : -1;
    const quint64 key =
        (quint64(quint32(image)) << 32) | (quint64(quint16(overlay + 1)) << 1) | (large ? 1 : 0);
    auto cached = FIconCache.constFind(key);
    if (cached != FIconCache.constEnd())
        return *cached;
    QIcon icon = images(image);
    if (overlay >= 0)
        icon = PTIconWithOverlay(icon, FOverlayImages(overlay), large ? 32 : 16);
    FIconCache.insert(key, icon);
    return icon;
}
