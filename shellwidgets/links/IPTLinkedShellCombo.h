#pragma once

#include "shell/shell95/TItemIDList.h"

class IPTLinkedShellList;
class IPTLinkedShellTree;
class TPTShTreeData;

// What a linked folder tree or file list needs of the folder combo.
//
// Linking is two-sided as for the tree (IPTLinkedShellTree), but the combo
// has at most one partner: linking a list while a tree is linked (or the
// other way round) is refused, and the partner that asked stays unlinked.
// The combo's FillGuard ends the echo: a folder change that comes back while
// the combo moves its partner is not passed on again; the combo refills once,
// after the partner has followed. User-interface thread only.
class IPTLinkedShellCombo
{
  public:
    virtual IPTLinkedShellTree* ShellTree() const = 0;
    virtual void SetShellTree(IPTLinkedShellTree* aTree) = 0;
    virtual IPTLinkedShellList* ShellList() const = 0;
    virtual void SetShellList(IPTLinkedShellList* aList) = 0;

    // SelectedFolder takes the absolute list (null: the desktop); the combo
    // moves its partner and refills.
    virtual void SetSelectedFolder(PCItemIDList aAbsolute) = 0;
    // The tree's selection changed; a node without a record changes nothing.
    virtual void TreeChanged(TPTShTreeData* aSelectedNodeData) = 0;
    // Selects the ancestor entry aLevels up; nothing on the desktop.
    virtual void GoUp(int aLevels) = 0;
    // The combo has no delayed work; with aAlsoLinked the partner does its.
    virtual void Synchronize(bool aAlsoLinked) = 0;

  protected:
    ~IPTLinkedShellCombo() = default;
};
