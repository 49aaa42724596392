#pragma once

#include "shell/shell95/IDataObject.h"
#include "shell/shell95/IUnknown.h"
#include "shell/shell95/OleConstants.h"

#include <cstdint>

// Receives drags. `effect` is in: the effects the source allows; out: the
// one the target would apply (or applied, after Drop).
class IDropTarget : public IUnknown
{
  public:
    virtual HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                              std::uint32_t* effect) = 0;
    virtual HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                         std::uint32_t* effect) = 0;
};
