// Links: the folder tree and the folder combo the list keeps in step with.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "shell/records/TPTShTreeData.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/links/PTSetLink.h"

void TPTCustomShellList::SetShellTree(IPTLinkedShellTree* tree)
{
    PTSetLink<IPTLinkedShellList>(FShellTree, tree, this, &IPTLinkedShellTree::SetShellList,
                                  &IPTLinkedShellTree::ShellList);
}

void TPTCustomShellList::SetShellCombo(IPTLinkedShellCombo* combo)
{
    PTSetLink<IPTLinkedShellList>(FShellCombo, combo, this, &IPTLinkedShellCombo::SetShellList,
                                  &IPTLinkedShellCombo::ShellList);
}

void TPTCustomShellList::TreeChanged(TPTShTreeData* selectedNodeData)
{
    if (selectedNodeData)
        FFolder.SetIdList(selectedNodeData->GetAbsPidl());
}
