#pragma once

#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

class IDropTarget;
class IPTShellTreeOwner;

// The data of one node of the folder tree: the node's object as a list
// relative to the parent node's object, with the absolute list and the
// object's folder worked out on demand and kept until Flush. A root node has
// no parent record; its relative list is the root's absolute list (none for
// the desktop). User-interface thread only.
class TPTShTreeData
{
  public:
    explicit TPTShTreeData(IPTShellTreeOwner* tree);
    ~TPTShTreeData();
    TPTShTreeData(const TPTShTreeData&) = delete;
    TPTShTreeData& operator=(const TPTShTreeData&) = delete;

    // Copies relPidl with malloc (null: the shell allocator), on which the
    // record keeps a reference; both lists of the record come from it.
    void SetData(TPTShTreeData* parentData, IMalloc* malloc, PCItemIDList relPidl);
    // After a rename: keeps a copy of the new relative list and rebuilds the
    // absolute list at once. Records of child nodes have to be flushed by the tree.
    void SetRelPidl(PCItemIDList relPidl);

    // Owned by the record, valid until Flush, SetRelPidl or SetData; null
    // before SetData.
    PCItemIDList GetAbsPidl();
    // Null when the object cannot be bound; the desktop when the absolute list
    // is empty (failure to get the desktop raises the platform error).
    TComPtr<IShellFolder> GetThisIShf();
    // The parent record's folder; null for a root node.
    TComPtr<IShellFolder> GetParentIShf();
    // Raises "TPTShTreeData not initialised" before SetData; empty for an
    // object outside the file system.
    QString GetPathName();
    bool GetEditable();
    // The object's drop target, as the folder holding it hands it out.
    HRESULT GetIDropTarget(HWND window, IDropTarget** target);
    // A volume root: the path is a mount point of a volume.
    bool IsRootDir();
    void Flush();

    IPTShellTreeOwner* Tree() const { return m_tree; }
    TPTShTreeData* ParentData() const { return m_parentData; }
    PCItemIDList RelPidl() const { return m_relPidl; }
    IMalloc* Allocator() const { return m_malloc.get(); }

  private:
    void freeList(PItemIDList& list);

    IPTShellTreeOwner* m_tree;
    TPTShTreeData* m_parentData = nullptr;
    PItemIDList m_relPidl = nullptr;
    PItemIDList m_absPidl = nullptr;
    TComPtr<IShellFolder> m_thisFolder;
    TComPtr<IMalloc> m_malloc;
};
