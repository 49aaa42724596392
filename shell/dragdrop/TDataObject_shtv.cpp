#include "shell/dragdrop/TDataObject_shtv.h"

#include "shell/shell95/TComPtr.h"
#include "shell/dragdrop/DataObjectNames.h"
#include "shell/utils/ShellDataBlocks.h"

HRESULT TDataObject_shtv::Create(IShellFolder* parentFolder, PCItemIDList parentAbsolute,
                                 PCItemIDList relative, IDataObject** dataObject)
{
    if (!dataObject)
        return E_POINTER;
    *dataObject = nullptr;
    TComPtr<TDataObject_shtv> object = TComPtr<TDataObject_shtv>::adopt(new TDataObject_shtv);
    if (relative) {
        if (const HRESULT hr = BuildIdListArray(parentAbsolute, {relative}, &object->m_idListArray);
            Failed(hr))
            return hr;
        const QList<QByteArray> names = ParsingPathsOf(parentFolder, {relative});
        if (const HRESULT hr = BuildFileDropBlock(names, &object->m_fileDrop); Failed(hr))
            return hr;
        if (const HRESULT hr = BuildTextBlock(names, true, &object->m_text); Failed(hr))
            return hr;
    }
    *dataObject = object.detach();
    return S_OK;
}
