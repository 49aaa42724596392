#include "controls/treelist/TPTLvCustomDraw.h"

void TPTLvCustomDraw::Apply()
{
    if (FResult)
        *FResult = 0;
    switch (GetDrawStage()) {
    case ptcdsPrePaint:
        if (FNotifyItemDraw)
            OrResult(ptcd::NotifyItemDraw);
        break;
    case ptcdsItemPrePaint:
        if (FRecord)
            ApplyItemPrePaint(*GetMpLvCd(), true);
        break;
    default:
        break;
    }
}
