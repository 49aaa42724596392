#include "shellwidgets/images/TPTSystemImageList.h"

#include "shell/icons/SystemIcons.h"

TPTSystemImageList::TPTSystemImageList(TShellImageList* list)
    : TPTImageList(list->IconSize()), FList(list)
{
}

TPTSystemImageList* TPTSystemImageList::Get(TPTShellIconSize size)
{
    // Controls keep guarded pointers to these; they live as long as the
    // shell's lists, which are never freed either.
    static TPTSystemImageList* small = new TPTSystemImageList(ShellGetSystemImageList(ptsizSmall));
    static TPTSystemImageList* large = new TPTSystemImageList(ShellGetSystemImageList(ptsizLarge));
    return size == ptsizSmall ? small : large;
}

int TPTSystemImageList::Count() const
{
    return FList->Count();
}

QPixmap TPTSystemImageList::Image(int aIndex) const
{
    return FList->Pixmap(aIndex);
}

int TPTSystemImageList::OverlayImage(int aOverlay) const
{
    return FList->OverlayImage(aOverlay);
}
