#pragma once

#include "controls/treelist/TPTCustomDraw.h"

// The tree flavour: a value a handler stored with SetResult is kept as the
// answer; only without one does Apply build the answer itself.
class TPTTvCustomDraw : public TPTCustomDraw
{
  public:
    TPTTvCustomDraw(TNMCustomDraw* record, const QFont& ownerFont, uint32_t* result);

    void Apply() override;
    TNMTvCustomDraw* GetMpTvCd() const { return static_cast<TNMTvCustomDraw*>(FRecord); }
};
