#include "shell/dragdrop/TDataObject_shlv.h"

#include "shell/shell95/TComPtr.h"
#include "shell/dragdrop/DataObjectNames.h"
#include "shell/utils/ShellDataBlocks.h"

HRESULT TDataObject_shlv::Create(IShellFolder* folder, PCItemIDList folderAbsolute,
                                 const QList<PCItemIDList>& items, IDataObject** dataObject)
{
    if (!dataObject)
        return E_POINTER;
    *dataObject = nullptr;
    if (items.isEmpty())
        return S_FALSE;
    TComPtr<TDataObject_shlv> object = TComPtr<TDataObject_shlv>::adopt(new TDataObject_shlv);
    if (const HRESULT hr = BuildIdListArray(folderAbsolute, items, &object->m_idListArray);
        Failed(hr))
        return hr;
    const QList<QByteArray> names = ParsingPathsOf(folder, items);
    if (const HRESULT hr = BuildFileDropBlock(names, &object->m_fileDrop); Failed(hr))
        return hr;
    if (const HRESULT hr = BuildTextBlock(names, false, &object->m_text); Failed(hr))
        return hr;
    *dataObject = object.detach();
    return S_OK;
}
