#include "controls/treelist/TPTCustomListView.h"

// Item images: small and large image lists, overlays from the same list.

#include "controls/treelist/TPTListItemModel.h"

void TPTCustomListView::SetSmallImages(TPTImageList* images)
{
    FSmallImages.Set(images, this, [this] { FModel->AllItemsChanged(); });
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetLargeImages(TPTImageList* images)
{
    FLargeImages.Set(images, this, [this] { FModel->AllItemsChanged(); });
    FModel->AllItemsChanged();
}

QIcon TPTCustomListView::ItemDispIcon(int row)
{
    TPTListItem& item = FModel->Item(row);
    const int image = GetDispImage(item);
    TPTImageList* images = FViewStyle == vsIcon ? FLargeImages.Get() : FSmallImages.Get();
    if (image < 0 || !images)
        return {};
    return images->Icon(image, TPTImageList::OverlayNumber(item.OverlayIndex));
}
