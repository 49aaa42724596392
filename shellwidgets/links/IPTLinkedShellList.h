#pragma once

#include "shell/shell95/TItemIDList.h"

class IPTLinkedShellCombo;
class IPTLinkedShellTree;
class TPTShTreeData;

// What a linked folder tree or folder combo needs of the file list.
//
// Linking is two-sided as for the tree (IPTLinkedShellTree). The list's
// folder change passes the new folder to its tree (DoSetSelectedIdList), else
// to its combo, with the list's SyncLock raised, so the change that comes back
// from the partner does not go out again. User-interface thread only.
class IPTLinkedShellList
{
  public:
    virtual IPTLinkedShellTree* ShellTree() const = 0;
    virtual void SetShellTree(IPTLinkedShellTree* aTree) = 0;
    virtual IPTLinkedShellCombo* ShellCombo() const = 0;
    virtual void SetShellCombo(IPTLinkedShellCombo* aCombo) = 0;

    // Folder takes the absolute list (null: the desktop).
    virtual void SetFolder(PCItemIDList aAbsolute) = 0;
    // The tree's selection changed; a node without a record changes nothing.
    virtual void TreeChanged(TPTShTreeData* aSelectedNodeData) = 0;
    // Does the pending refresh now; with aAlsoLinked the partners first.
    virtual void Synchronize(bool aAlsoLinked) = 0;
    // The list leaves folders out while a tree is linked, so the tree
    // expands the folder it selects.
    virtual bool HideFoldersWhenLinkedToTree() const = 0;

  protected:
    ~IPTLinkedShellList() = default;
};
