#include "shellwidgets/combo/TPTShellComboImageList.h"

#include "shell/icons/SystemIcons.h"
#include "shell/icons/TShellImageList.h"

TPTShellComboImageList::TPTShellComboImageList(QObject* aParent)
    : TPTComboImageList(ShellGetSystemImageList(ptsizSmall)->IconSize(), aParent),
      FSystemList(ShellGetSystemImageList(ptsizSmall))
{
}

int TPTShellComboImageList::Count() const
{
    return FSystemList->Count();
}

QPixmap TPTShellComboImageList::Image(int aIndex) const
{
    return FSystemList->Pixmap(aIndex);
}

int TPTShellComboImageList::OverlayImage(int aOverlay) const
{
    return FSystemList->OverlayImage(aOverlay);
}
