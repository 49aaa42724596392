#include "shell/utils/StgMedium.h"

#include "shell/shell95/TFormatEtc.h"

void ReleaseStgMedium(TStgMedium* medium)
{
    if (!medium)
        return;
    if (medium->pUnkForRelease)
        medium->pUnkForRelease->Release();
    else if (medium->tymed == TYMED_HGLOBAL)
        GlobalFree(medium->hGlobal);
    *medium = TStgMedium{};
}
