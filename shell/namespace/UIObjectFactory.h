#pragma once

#include "shell/shell95/IShellFolder.h"

#include <functional>

// GetUIObjectOf of every folder of the namespace asks these factories in the
// order they were registered; the first answer other than E_NOINTERFACE wins.
// Context menus and drop targets register here, so the folders need not know
// them. `folderIdList` is the folder's absolute list (empty for the desktop).
using TUIObjectFactory = std::function<HRESULT(
    IShellFolder* folder, PCItemIDList folderIdList, HWND owner, std::uint32_t count,
    const PCItemIDList* items, REFIID iid, void** object)>;

void RegisterUIObjectFactory(TUIObjectFactory factory);

HRESULT CreateUIObject(IShellFolder* folder, PCItemIDList folderIdList, HWND owner,
                       std::uint32_t count, const PCItemIDList* items, REFIID iid, void** object);
