#pragma once

#include "shell/shell95/IUnknown.h"
#include "shell/shell95/TFormatEtc.h"

#include <cstdint>

inline constexpr TGUID IID_IEnumFormatEtc = VeldmarkInterfaceId(0x0103);

class IEnumFormatEtc : public IUnknown
{
  public:
    virtual HRESULT Next(std::uint32_t count, TFormatEtc* formats, std::uint32_t* fetched) = 0;
    virtual HRESULT Skip(std::uint32_t count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFormatEtc** enumFormat) = 0;
};
