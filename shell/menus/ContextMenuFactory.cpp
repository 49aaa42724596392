#include "shell/menus/ContextMenuFactory.h"

#include "shell/menus/TShellContextMenu.h"
#include "shell/namespace/ItemData.h"
#include "shell/utils/IdList.h"

HRESULT CreateShellContextMenu(IShellFolder* folder, PCItemIDList folderIdList, HWND owner,
                               std::uint32_t count, const PCItemIDList* items, REFIID iid,
                               void** object)
{
    if (!(iid == IID_IContextMenu))
        return E_NOINTERFACE;
    if (!folder || (count > 0 && !items))
        return E_INVALIDARG;
    // Lists from outside (a persisted or dropped list) are checked first.
    for (std::uint32_t i = 0; i < count; ++i) {
        ItemData::View view;
        if (IdListIsEmpty(items[i]) || !ItemData::Read(items[i], view))
            return E_INVALIDARG;
    }
    *object = static_cast<IContextMenu*>(
        new TShellContextMenu(folder, folderIdList, owner, count, items));
    return S_OK;
}
