#include "shell/dragdrop/TMimeDataObject.h"

#include "platform/FileNameCodec.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/fileops/DroppedFiles.h"
#include "shell/shell95/OleConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

#include <QMimeData>

#include <vector>

namespace
{

PCItemIDList asList(const QByteArray& bytes)
{
    return reinterpret_cast<PCItemIDList>(bytes.constData());
}

// The bytes of a list without its last item (terminator included).
QByteArray parentBytes(PCItemIDList absolute)
{
    PCItemIDList last = IdListLastItem(absolute);
    const auto prefix =
        reinterpret_cast<const char*>(last) - reinterpret_cast<const char*>(absolute);
    return QByteArray(reinterpret_cast<const char*>(absolute), prefix) + QByteArray(2, '\0');
}

HRESULT arrayFromPaths(const QList<QByteArray>& paths, HGLOBAL* block)
{
    std::vector<TIdListPtr> lists;
    for (const QByteArray& path : paths) {
        TIdListPtr list;
        if (Succeeded(ShellGetIdListFromPath(FileNameToString(path), list.put())) &&
            !IdListIsEmpty(list.get()))
            lists.push_back(std::move(list));
    }
    QByteArray parent;
    bool common = !lists.empty();
    for (const TIdListPtr& list : lists) {
        const QByteArray p = parentBytes(list.get());
        // Compared as folders, not as bytes: items carry the stat data of the
        // moment they were parsed, and a busy /tmp changes between two parses.
        if (parent.isEmpty())
            parent = p;
        else if (CompareAbsIdLists(asList(p), asList(parent)) != 0)
            common = false;
    }
    QList<PCItemIDList> items;
    for (const TIdListPtr& list : lists)
        items.append(common ? IdListLastItem(list.get()) : list.get());
    return BuildIdListArray(common ? asList(parent) : nullptr, items, block);
}

} // namespace

HRESULT TMimeDataObject::Create(const QMimeData* mimeData, IDataObject** dataObject)
{
    if (!dataObject)
        return E_POINTER;
    *dataObject = nullptr;
    if (!mimeData)
        return E_INVALIDARG;
    QList<QByteArray> paths = LocalPathsFromMimeData(mimeData);
    const QByteArray ours = mimeData->data(QString::fromLatin1(kShellIdListMimeType));
    TIdListArrayData array;
    const bool haveArray =
        !ours.isEmpty() && ReadIdListArray(ours.constData(), std::size_t(ours.size()), array);
    if (paths.isEmpty() && haveArray)
        paths = PathsOfIdListArray(array);
    if (paths.isEmpty() && !haveArray)
        return DV_E_FORMATETC;

    TComPtr<TMimeDataObject> object = TComPtr<TMimeDataObject>::adopt(new TMimeDataObject);
    HRESULT hr = haveArray
                     ? ((object->m_idListArray = GlobalFromBytes(ours)) ? S_OK : E_OUTOFMEMORY)
                     : arrayFromPaths(paths, &object->m_idListArray);
    if (Succeeded(hr))
        hr = BuildFileDropBlock(paths, &object->m_fileDrop);
    if (Succeeded(hr))
        hr = BuildTextBlock(paths, false, &object->m_text);
    if (Failed(hr))
        return hr;
    *dataObject = object.detach();
    return S_OK;
}
