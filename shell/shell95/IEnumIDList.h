#pragma once

#include "shell/shell95/IUnknown.h"
#include "shell/shell95/TItemIDList.h"

// Hands out one relative item list per entry, allocated from the shell
// allocator and owned by the caller. Next answers S_FALSE at the end.
class IEnumIDList : public IUnknown
{
  public:
    virtual HRESULT Next(std::uint32_t count, PItemIDList* items, std::uint32_t* fetched) = 0;
    virtual HRESULT Skip(std::uint32_t count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumIDList** copy) = 0;
};
