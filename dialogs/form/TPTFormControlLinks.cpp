#include "dialogs/form/TPTFormControlLinks.h"

#include "shellwidgets/combo/TPTCustomShellCombo.h"
#include "shellwidgets/list/TPTCustomShellList.h"
#include "shellwidgets/tree/TPTCustomShellTree.h"

TPTFormControlLinks::TPTFormControlLinks(TPTCustomShellCombo& combo, TPTCustomShellTree& tree,
                                         TPTCustomShellList& list)
    : FCombo(combo), FTree(tree), FList(list)
{
}

TPTFormControlLinks::~TPTFormControlLinks()
{
    // Each setter unlinks both sides.
    FTree.SetShellList(nullptr);
    FTree.SetShellCombo(nullptr);
    FCombo.SetShellList(nullptr);
}

void TPTFormControlLinks::LinkListToCombo()
{
    FTree.SetShellList(nullptr);
    FTree.SetShellCombo(nullptr);
    FCombo.SetShellList(&FList);
}

void TPTFormControlLinks::LinkTreeBetween()
{
    FCombo.SetShellList(nullptr);
    FTree.SetSelectedFolder(FCombo.SelectedFolder().GetIdList());
    FTree.SetShellCombo(&FCombo);
    FTree.SetShellList(&FList);
}

bool TPTFormControlLinks::TreeLinkedToCombo() const
{
    return FTree.ShellCombo() == &FCombo;
}
