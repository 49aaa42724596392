#pragma once

#include "shell/namespace/UIObjectFactory.h"

// The UI-object factory for IID_IContextMenu: a TShellContextMenu for the
// items (one or several), or for the folder's background when there are
// none. Other interfaces: E_NOINTERFACE.
HRESULT CreateShellContextMenu(IShellFolder* folder, PCItemIDList folderIdList, HWND owner,
                               std::uint32_t count, const PCItemIDList* items, REFIID iid,
                               void** object);
