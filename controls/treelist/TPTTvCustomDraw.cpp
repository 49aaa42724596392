#include "controls/treelist/TPTTvCustomDraw.h"

TPTTvCustomDraw::TPTTvCustomDraw(TNMCustomDraw* record, const QFont& ownerFont, uint32_t* result)
    : TPTCustomDraw(record, ownerFont, result)
{
    FNotifyItemDraw = true;
}

void TPTTvCustomDraw::Apply()
{
    if (!FResultSet && FResult)
        *FResult = 0;
    switch (GetDrawStage()) {
    case ptcdsPrePaint:
        if (FNotifyItemDraw && !FResultSet)
            OrResult(ptcd::NotifyItemDraw);
        break;
    case ptcdsItemPrePaint:
        if (FRecord)
            ApplyItemPrePaint(*GetMpTvCd(), !FResultSet);
        break;
    default:
        break;
    }
}
