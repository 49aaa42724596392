#pragma once

#include "controls/frame/TPTCustomFrame.h"

// The frame as forms use it: 64 x 48, ptfsLowered, FrameSpace 2, centred caption.
class TPTFrame : public TPTCustomFrame
{
    Q_OBJECT

  public:
    explicit TPTFrame(QWidget* aParent = nullptr) : TPTCustomFrame(aParent) {}
};
