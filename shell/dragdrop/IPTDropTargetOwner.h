#pragma once

#include "shell/shell95/IDropTarget.h"

// What the tree's and the list's drop targets ask of their control: the
// control's own handling of the four drop-target calls, with the same
// arguments; their results are passed back to the drag loop unchanged.
class IPTDropTargetOwner
{
  public:
    virtual HRESULT OnDropTarget_DragEnter(IDataObject* dataObject, std::uint32_t keyState,
                                           TPointL point, std::uint32_t& effect) = 0;
    virtual HRESULT OnDropTarget_DragOver(std::uint32_t keyState, TPointL point,
                                          std::uint32_t& effect) = 0;
    virtual HRESULT OnDropTarget_DragLeave() = 0;
    virtual HRESULT OnDropTarget_Drop(IDataObject* dataObject, std::uint32_t keyState,
                                      TPointL point, std::uint32_t& effect) = 0;

  protected:
    ~IPTDropTargetOwner() = default;
};
