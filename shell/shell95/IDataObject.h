#pragma once

#include "shell/shell95/IEnumFormatEtc.h"
#include "shell/shell95/IUnknown.h"
#include "shell/shell95/TFormatEtc.h"
#include "shell/shell95/TStgMedium.h"

#include <cstdint>

// Data offered for the clipboard and drag and drop, in one or more formats.
// Advise sinks are never used by this system; the parameter is kept opaque.
class IDataObject : public IUnknown
{
  public:
    virtual HRESULT GetData(const TFormatEtc* format, TStgMedium* medium) = 0;
    virtual HRESULT GetDataHere(const TFormatEtc* format, TStgMedium* medium) = 0;
    virtual HRESULT QueryGetData(const TFormatEtc* format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc* format, TFormatEtc* canonical) = 0;
    virtual HRESULT SetData(const TFormatEtc* format, TStgMedium* medium, bool release) = 0;
    virtual HRESULT EnumFormatEtc(std::uint32_t direction, IEnumFormatEtc** enumFormat) = 0;
    virtual HRESULT DAdvise(const TFormatEtc* format, std::uint32_t flags, IUnknown* sink,
                            std::uint32_t* connection) = 0;
    virtual HRESULT DUnadvise(std::uint32_t connection) = 0;
    virtual HRESULT EnumDAdvise(IUnknown** enumAdvise) = 0;
};
