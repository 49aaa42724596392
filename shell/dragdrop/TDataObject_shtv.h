#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/dragdrop/TPTDataObjectBase.h"

// The data object of one folder-tree node: the node's list relative to its
// parent, the parent's absolute list, and the node's full path.
class TDataObject_shtv final : public TPTDataObjectBase
{
  public:
    // `relative` null (a node without a record) gives an object with empty
    // blocks. *dataObject holds one reference; E_OUTOFMEMORY when a block
    // cannot be built.
    static HRESULT Create(IShellFolder* parentFolder, PCItemIDList parentAbsolute,
                          PCItemIDList relative, IDataObject** dataObject);

  private:
    TDataObject_shtv() = default;
};
