#pragma once

#include "shell/namespace/UIObjectFactory.h"

// The UI-object factory for IID_IDropTarget: one item that is a file-system
// folder (a link to one included) gets a TFileSystemDropTarget on its path;
// files and objects without a path have none (E_NOINTERFACE), so a control
// falls back to the folder's own target. The Trash (its desktop item, or a
// trash's files folder by path) gets a TTrashDropTarget. Other interfaces: E_NOINTERFACE.
HRESULT CreateFileSystemDropTarget(IShellFolder* folder, PCItemIDList folderIdList, HWND owner,
                                   std::uint32_t count, const PCItemIDList* items, REFIID iid,
                                   void** object);
