#include "shell/namespace/TShellFolderBase.h"

#include "shell/namespace/UIObjectFactory.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/TIdListPtr.h"

#include <cstring>

TShellFolderBase::TShellFolderBase(PCItemIDList absolute)
    : m_absolute(IdListIsEmpty(absolute) ? QByteArray(2, '\0') : IdListToBytes(absolute))
{
}

HRESULT TShellFolderBase::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IShellFolder, object);
}

bool TShellFolderBase::readOwnItem(PCItemIDList item, ItemData::View& view) const
{
    return ItemData::Read(item, view) && ownsKind(view.kind);
}

HRESULT TShellFolderBase::BindToObject(PCItemIDList idList, IBindCtx*, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IdListIsEmpty(idList))
        return E_INVALIDARG;
    if (!(iid == IID_IShellFolder || iid == IID_IUnknown))
        return E_NOINTERFACE;
    ItemData::View view;
    if (!readOwnItem(idList, view))
        return E_INVALIDARG;
    TComPtr<IShellFolder> child;
    if (const HRESULT hr = bindItem(idList, view, child); Failed(hr))
        return hr;
    PCItemIDList rest = IdListNext(idList);
    if (IdListIsEmpty(rest)) {
        *object = child.detach();
        return S_OK;
    }
    return child->BindToObject(rest, nullptr, iid, object);
}

HRESULT TShellFolderBase::BindToStorage(PCItemIDList, IBindCtx*, REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

HRESULT TShellFolderBase::CompareIDs(std::intptr_t column, PCItemIDList idList1,
                                     PCItemIDList idList2)
{
    const bool empty1 = IdListIsEmpty(idList1);
    const bool empty2 = IdListIsEmpty(idList2);
    if (empty1 || empty2)
        return ResultFromShort(empty1 == empty2 ? 0 : (empty1 ? -1 : 1));
    ItemData::View a;
    ItemData::View b;
    if (!readOwnItem(idList1, a) || !readOwnItem(idList2, b))
        return E_INVALIDARG;
    const int r = compareItems(static_cast<int>(column & 0xFFFF), a, b);
    if (r != 0)
        return ResultFromShort(r < 0 ? -1 : 1);
    PCItemIDList rest1 = IdListNext(idList1);
    PCItemIDList rest2 = IdListNext(idList2);
    const bool end1 = IdListIsEmpty(rest1);
    const bool end2 = IdListIsEmpty(rest2);
    if (end1 || end2)
        return ResultFromShort(end1 == end2 ? 0 : (end1 ? -1 : 1));
    TComPtr<IShellFolder> child;
    if (const HRESULT hr = bindItem(idList1, a, child); Failed(hr))
        return hr;
    return child->CompareIDs(column, rest1, rest2);
}

HRESULT TShellFolderBase::CreateViewObject(HWND owner, REFIID iid, void** object)
{
    // The background menu is the folder's menu of no items.
    if (iid == IID_IContextMenu)
        return CreateUIObject(this, AbsoluteIdList(), owner, 0, nullptr, iid, object);
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TShellFolderBase::parentOfLast(PCItemIDList idList, TComPtr<IShellFolder>& parent,
                                       PCItemIDList& last)
{
    last = IdListLastItem(idList);
    if (!last)
        return E_INVALIDARG;
    if (last == idList) {
        parent = TComPtr<IShellFolder>::share(this);
        return S_OK;
    }
    const auto prefixBytes = static_cast<size_t>(reinterpret_cast<const char*>(last) -
                                                 reinterpret_cast<const char*>(idList));
    TIdListPtr prefix(static_cast<PItemIDList>(ShellMemAlloc(prefixBytes + 2)));
    if (!prefix)
        return E_OUTOFMEMORY;
    std::memcpy(prefix.get(), idList, prefixBytes);
    SetItemIdSize(reinterpret_cast<char*>(prefix.get()) + prefixBytes, 0);
    return BindToObject(prefix.get(), nullptr, IID_IShellFolder, parent.putVoid());
}

HRESULT TShellFolderBase::GetAttributesOf(std::uint32_t count, const PCItemIDList* idLists,
                                          std::uint32_t* inOut)
{
    if (!inOut)
        return E_POINTER;
    const std::uint32_t requested = *inOut;
    // With no items the call only asks to drop cached information; nothing
    // here caches drive data, so there is nothing to drop.
    if (count == 0)
        return S_OK;
    if (!idLists)
        return E_INVALIDARG;
    std::uint32_t common = requested & ~SFGAO_VALIDATE;
    for (std::uint32_t i = 0; i < count; ++i) {
        PCItemIDList item = idLists[i];
        std::uint32_t attributes = 0;
        if (IdListIsEmpty(item))
            return E_INVALIDARG;
        if (!IdListIsEmpty(IdListNext(item))) {
            TComPtr<IShellFolder> parent;
            PCItemIDList last = nullptr;
            if (const HRESULT hr = parentOfLast(item, parent, last); Failed(hr))
                return hr;
            attributes = requested;
            if (const HRESULT hr = parent->GetAttributesOf(1, &last, &attributes); Failed(hr))
                return hr;
        } else {
            ItemData::View view;
            if (!readOwnItem(item, view))
                return E_INVALIDARG;
            if (const HRESULT hr = itemAttributes(view, requested, attributes); Failed(hr))
                return hr;
        }
        common &= attributes;
    }
    *inOut = common;
    return S_OK;
}

HRESULT TShellFolderBase::GetUIObjectOf(HWND owner, std::uint32_t count,
                                        const PCItemIDList* idLists, REFIID iid, std::uint32_t*,
                                        void** object)
{
    return CreateUIObject(this, AbsoluteIdList(), owner, count, idLists, iid, object);
}

HRESULT TShellFolderBase::GetDisplayNameOf(PCItemIDList idList, std::uint32_t flags, TStrRet* name)
{
    if (!name)
        return E_POINTER;
    if (IdListIsEmpty(idList))
        return E_INVALIDARG;
    if (IdListIsEmpty(IdListNext(idList))) {
        ItemData::View view;
        if (!readOwnItem(idList, view))
            return E_INVALIDARG;
        return itemDisplayName(view, flags, name);
    }
    TComPtr<IShellFolder> parent;
    PCItemIDList last = nullptr;
    if (const HRESULT hr = parentOfLast(idList, parent, last); Failed(hr))
        return hr;
    const HRESULT hr = parent->GetDisplayNameOf(last, flags, name);
    // An offset answer has to count from the start of the list we were given.
    if (Succeeded(hr) && name->uType == STRRET_OFFSET)
        name->uOffset += static_cast<std::uint32_t>(reinterpret_cast<const char*>(last) -
                                                    reinterpret_cast<const char*>(idList));
    return hr;
}

HRESULT TShellFolderBase::finishParse(const QString& displayName, TIdListPtr& parsed,
                                      std::uint32_t* eaten, PItemIDList* idList,
                                      std::uint32_t* attributes)
{
    if (attributes && *attributes) {
        PCItemIDList list = parsed.get();
        if (const HRESULT hr = GetAttributesOf(1, &list, attributes); Failed(hr))
            return hr;
    }
    if (eaten)
        *eaten = static_cast<std::uint32_t>(displayName.size());
    *idList = parsed.release();
    return S_OK;
}
