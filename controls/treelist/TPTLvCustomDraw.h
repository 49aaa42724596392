#pragma once

#include "controls/treelist/TPTCustomDraw.h"

// The list flavour: Apply always starts from a cleared answer, so a value a
// handler stored with SetResult does not survive it.
class TPTLvCustomDraw : public TPTCustomDraw
{
  public:
    using TPTCustomDraw::TPTCustomDraw;

    void Apply() override;
    TNMLvCustomDraw* GetMpLvCd() const { return static_cast<TNMLvCustomDraw*>(FRecord); }
};
