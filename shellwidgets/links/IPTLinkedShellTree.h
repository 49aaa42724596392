#pragma once

#include "shell/shell95/TItemIDList.h"

class IPTLinkedShellCombo;
class IPTLinkedShellList;

// What a linked file list or folder combo needs of the folder tree.
//
// Links are two-sided: setting one side (SetShellList, SetShellCombo) links
// the partner back, null unlinks both sides, and a control that is destroyed
// unlinks itself first. While the tree passes a selection on, its SyncLock is
// raised: a folder handed back to it then only points its list there, so a
// change never comes back as an echo. User-interface thread only.
class IPTLinkedShellTree
{
  public:
    virtual IPTLinkedShellList* ShellList() const = 0;
    virtual void SetShellList(IPTLinkedShellList* aList) = 0;
    virtual IPTLinkedShellCombo* ShellCombo() const = 0;
    virtual void SetShellCombo(IPTLinkedShellCombo* aCombo) = 0;

    // SelectedFolder takes the absolute list (null: the desktop).
    virtual void SetSelectedFolder(PCItemIDList aAbsolute) = 0;
    // Selects the folder's node, adding nodes on the way; nothing while the
    // SyncLock is raised.
    virtual void DoSetSelectedIdList(PCItemIDList aAbsolute) = 0;
    // Selects the ancestor aLevels up, at once.
    virtual void GoUp(int aLevels) = 0;
    // Brings the filled part of the tree up to date.
    virtual void RefreshNodes() = 0;
    // Does delayed work now; with aAlsoLinked the partners first (they do not
    // pass it back).
    virtual void Synchronize(bool aAlsoLinked) = 0;

  protected:
    ~IPTLinkedShellTree() = default;
};
