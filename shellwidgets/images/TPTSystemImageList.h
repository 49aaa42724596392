#pragma once

#include "controls/images/TPTImageList.h"
#include "shell/shell95/TCSIDL.h"

class TShellImageList;

// The process-wide system image list of one size, seen through the controls'
// image-list interface, so the shell tree, the shell list and the folder combo
// show the shell's icon indexes and overlays (1 share, 2 link) directly. Nothing
// is copied: images are read from the shell's list when a control asks, and the
// shell only ever appends to it, so an index keeps its image.
// User-interface thread only.
class TPTSystemImageList : public TPTImageList
{
    Q_OBJECT

  public:
    // The one instance per size, shared by every shell control; never destroyed.
    static TPTSystemImageList* Get(TPTShellIconSize size);

    int Count() const override;
    QPixmap Image(int aIndex) const override;
    int OverlayImage(int aOverlay) const override;

  private:
    explicit TPTSystemImageList(TShellImageList* list);

    TShellImageList* FList;
};
