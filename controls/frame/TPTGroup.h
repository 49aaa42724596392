#pragma once

#include "controls/frame/TPTCustomGroup.h"

// The group as forms use it: 64 x 48, ptfsGroup, FrameSpace 2, centred caption.
class TPTGroup : public TPTCustomGroup
{
    Q_OBJECT

  public:
    explicit TPTGroup(QWidget* aParent = nullptr) : TPTCustomGroup(aParent) {}
};
