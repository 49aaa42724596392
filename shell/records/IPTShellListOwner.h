#pragma once

#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellDetails.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TItemIDList.h"

// What a file list's item records need of the list: the listed folder, its
// absolute list, the allocator of the records' lists and the folder's details
// interface. The list control implements it. Records take no references of
// their own: the list outlives its items and keeps all of these alive while it
// shows the folder. Used on the user-interface thread only.
class IPTShellListOwner
{
  public:
    // Null before the list has shown a folder.
    virtual IShellFolder* FolderShellFolder() const = 0;
    // Null or empty for the desktop.
    virtual PCItemIDList FolderIdList() const = 0;
    virtual IMalloc* ShellAllocator() const = 0;
    // Null when the folder offers no details; may be fetched on first call.
    virtual IShellDetails* GetCurrentFolderIShellDetails() = 0;

  protected:
    ~IPTShellListOwner() = default;
};
