#pragma once

#include "shell/dragdrop/TPTDataObjectBase.h"

class QMimeData;

// Data from Qt's drag and drop or clipboard (often another program's) read as
// a data object with the same two formats as our own. The blocks are built at
// once, so the QMimeData may go right after.
class TMimeDataObject final : public TPTDataObjectBase
{
  public:
    // Our identifier-list array is taken as it came when it is well formed;
    // otherwise it is built from the local files' paths (parent: their common
    // folder, or the desktop with absolute lists when they have none). Files
    // that do not exist any more are left out of the array. DV_E_FORMATETC
    // when the data names no local file and holds no array.
    static HRESULT Create(const QMimeData* mimeData, IDataObject** dataObject);

  private:
    TMimeDataObject() = default;
};
