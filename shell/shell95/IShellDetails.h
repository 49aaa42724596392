#pragma once

#include "shell/shell95/IUnknown.h"
#include "shell/shell95/TItemIDList.h"
#include "shell/shell95/TStrRet.h"

#include <cstdint>

// One cell or, for a null item, one column header.
struct TShellDetails {
    std::int32_t fmt = 0;    // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER
    std::int32_t cxChar = 0; // width in characters
    TStrRet str;
};

class IShellDetails : public IUnknown
{
  public:
    // Fails (E_INVALIDARG) past the last column, which ends a column walk.
    virtual HRESULT GetDetailsOf(PCItemIDList idList, std::uint32_t column,
                                 TShellDetails* details) = 0;
    virtual HRESULT ColumnClick(std::uint32_t column) = 0;
};
