#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/dragdrop/TPTDataObjectBase.h"

#include <QList>

// The data object of the file list's selection: the selected items relative
// to the listed folder, in list order, that folder's absolute list, and the
// items' full paths.
class TDataObject_shlv final : public TPTDataObjectBase
{
  public:
    // No items: S_FALSE and no object (the drag or copy is abandoned).
    // *dataObject holds one reference; E_OUTOFMEMORY when a block cannot be built.
    static HRESULT Create(IShellFolder* folder, PCItemIDList folderAbsolute,
                          const QList<PCItemIDList>& items, IDataObject** dataObject);

  private:
    TDataObject_shlv() = default;
};
