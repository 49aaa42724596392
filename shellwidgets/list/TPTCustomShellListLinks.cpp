// Links: the folder tree and the folder combo the list keeps in step with.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "shell/records/TPTShTreeData.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"

#include <utility>

void TPTCustomShellList::SetShellTree(IPTLinkedShellTree* tree)
{
    if (tree == FShellTree)
        return;
    if (IPTLinkedShellTree* old = std::exchange(FShellTree, nullptr))
        old->SetShellList(nullptr);
    FShellTree = tree;
    if (tree)
        tree->SetShellList(this);
}

void TPTCustomShellList::SetShellCombo(IPTLinkedShellCombo* combo)
{
    if (combo == FShellCombo)
        return;
    if (IPTLinkedShellCombo* old = std::exchange(FShellCombo, nullptr))
        old->SetShellList(nullptr);
    FShellCombo = combo;
    if (!combo)
        return;
    combo->SetShellList(this);
    if (combo->ShellList() != this)
        FShellCombo = nullptr; // the combo keeps its tree
}

void TPTCustomShellList::TreeChanged(TPTShTreeData* selectedNodeData)
{
    if (selectedNodeData)
        FFolder.SetIdList(selectedNodeData->GetAbsPidl());
}
