#pragma once

#include "controls/combo/TPTComboImageList.h"

class TShellImageList;

// The folder combo's images: the shared small system image list, read
// through at every draw, so icons the namespace adds later are there too.
// Overlay numbers are the system list's (1 share, 2 link).
class TPTShellComboImageList : public TPTComboImageList
{
    Q_OBJECT

  public:
    explicit TPTShellComboImageList(QObject* aParent = nullptr);

    int Count() const override;
    QPixmap Image(int aIndex) const override;
    int OverlayImage(int aOverlay) const override;

  private:
    TShellImageList* FSystemList;
};
