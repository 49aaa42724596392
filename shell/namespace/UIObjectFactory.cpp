#include "shell/namespace/UIObjectFactory.h"

#include "shell/fileops/FileSystemDropTargetFactory.h"
#include "shell/menus/ContextMenuFactory.h"

#include <vector>

namespace
{

std::vector<TUIObjectFactory>& factories()
{
    // The shell's own drop targets and context menus are always there.
    static std::vector<TUIObjectFactory> list{CreateFileSystemDropTarget, CreateShellContextMenu};
    return list;
}

} // namespace

void RegisterUIObjectFactory(TUIObjectFactory factory)
{
    factories().push_back(std::move(factory));
}

HRESULT CreateUIObject(IShellFolder* folder, PCItemIDList folderIdList, HWND owner,
                       std::uint32_t count, const PCItemIDList* items, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const TUIObjectFactory& factory : factories()) {
        const HRESULT hr = factory(folder, folderIdList, owner, count, items, iid, object);
        if (hr != E_NOINTERFACE)
            return hr;
    }
    return E_NOINTERFACE;
}
