#pragma once

#include "shell/shell95/IUnknown.h"

#include <cstdint>

inline constexpr TGUID IID_IDropSource = VeldmarkInterfaceId(0x0121);

// Asked by the drag loop whether to go on, and which cursor to show.
class IDropSource : public IUnknown
{
  public:
    virtual HRESULT QueryContinueDrag(bool escapePressed, std::uint32_t keyState) = 0;
    virtual HRESULT GiveFeedback(std::uint32_t effect) = 0;
};
