#include "dialogs/form/TPTFormControlLinks.h"

#include "shell/locator/TPTShellLocator.h"
#include "shell/records/TPTShTreeData.h"
#include "shellwidgets/combo/TPTCustomShellCombo.h"
#include "shellwidgets/list/TPTCustomShellList.h"
#include "shellwidgets/tree/TPTCustomShellTree.h"

#include <QScopeGuard>

namespace
{

// Runs body with the counter raised.
template <typename Body> void Passing(int& counter, Body&& body)
{
    ++counter;
    const auto lower = qScopeGuard([&counter] { --counter; });
    body();
}

// GetIdList resolves a special folder on demand, so it is not const; the
// locator itself is not changed.
PCItemIDList IdListOf(const TPTShellLocator& locator)
{
    return const_cast<TPTShellLocator&>(locator).GetIdList();
}

} // namespace

TPTFormControlLinks::TPTFormControlLinks(TPTCustomShellCombo& combo, TPTCustomShellTree& tree,
                                         TPTCustomShellList& list)
    : FCombo(combo), FTree(tree), FList(list)
{
}

TPTFormControlLinks::~TPTFormControlLinks()
{
    // The controls outlive this object; none may keep a pointer into it.
    FTree.SetShellList(nullptr);
    FCombo.SetShellTree(nullptr);
    FCombo.SetShellList(nullptr);
    FTree.SetShellCombo(nullptr);
    FList.SetShellTree(nullptr);
    FList.SetShellCombo(nullptr);
}

void TPTFormControlLinks::LinkListToCombo()
{
    FTree.SetShellList(nullptr);
    FCombo.SetShellTree(nullptr);
    FCombo.SetShellList(&FListSide);
}

void TPTFormControlLinks::LinkTreeBetween()
{
    FCombo.SetShellList(nullptr);
    FTree.SetSelectedFolder(FCombo.SelectedFolder().GetIdList());
    FCombo.SetShellTree(&FTreeSide);
    FTree.SetShellList(&FListSide);
}

void TPTFormControlLinks::UnlinkTree()
{
    LinkListToCombo();
}

bool TPTFormControlLinks::TreeLinkedToCombo() const
{
    return FCombo.ShellTree() == &FTreeSide;
}

// ---- the list's side -------------------------------------------------------

QObject* TPTFormControlLinks::ListSide::LinkObject()
{
    return &m.FList;
}

void TPTFormControlLinks::ListSide::SetShellCombo(IPTLinkedShellCombo* aCombo)
{
    m.FList.SetShellCombo(aCombo ? &m.FComboSide : nullptr);
}

void TPTFormControlLinks::ListSide::SetFolder(const TPTShellLocator& aFolder)
{
    if (m.FPassing > 0)
        return;
    Passing(m.FPassing, [&] { m.FList.Folder().Assign(&aFolder); });
}

void TPTFormControlLinks::ListSide::Synchronize(bool)
{
    m.FList.Synchronize(false);
}

void TPTFormControlLinks::ListSide::SetLinkedTree(TPTCustomShellTree* tree)
{
    m.FList.SetShellTree(tree ? &m.FTreeSide : nullptr);
    if (tree)
        m.FList.SetShellCombo(nullptr);
}

void TPTFormControlLinks::ListSide::SetFolder(PCItemIDList absolute)
{
    // The tree leads the list: always followed, and not passed back.
    Passing(m.FPassing, [&] { m.FList.Folder().SetIdList(absolute); });
}

void TPTFormControlLinks::ListSide::TreeChanged(TPTShTreeData* data)
{
    if (data)
        SetFolder(data->GetAbsPidl());
}

bool TPTFormControlLinks::ListSide::HideFoldersWhenLinkedToTree() const
{
    return m.FList.Options().Has(ptsloHideFoldersWhenLinkedToTree);
}

// ---- the tree's side -------------------------------------------------------

QObject* TPTFormControlLinks::TreeSide::LinkObject()
{
    return &m.FTree;
}

void TPTFormControlLinks::TreeSide::SetShellCombo(IPTLinkedShellCombo* aCombo)
{
    m.FTree.SetShellCombo(aCombo ? &m.FComboSide : nullptr);
}

void TPTFormControlLinks::TreeSide::SetSelectedFolder(const TPTShellLocator& aFolder)
{
    if (m.FPassing > 0)
        return;
    Passing(m.FPassing, [&] { m.FTree.SetSelectedFolder(IdListOf(aFolder)); });
}

void TPTFormControlLinks::TreeSide::RefreshNodes()
{
    m.FTree.RefreshNodes();
}

void TPTFormControlLinks::TreeSide::Synchronize(bool)
{
    m.FTree.Synchronize(false);
}

void TPTFormControlLinks::TreeSide::DoSetSelectedIdList(PCItemIDList absolute)
{
    if (m.FPassing > 0)
        return;
    Passing(m.FPassing, [&] { m.FTree.DoSetSelectedIdList(absolute); });
}

void TPTFormControlLinks::TreeSide::GoUp(int levels)
{
    m.FTree.GoUp(levels);
}

// ---- the combo's side ------------------------------------------------------

QObject* TPTFormControlLinks::ComboSide::LinkObject()
{
    return &m.FCombo;
}

void TPTFormControlLinks::ComboSide::SetSelectedFolder(PCItemIDList absolute)
{
    if (m.FPassing > 0)
        return;
    Passing(m.FPassing, [&] { m.FCombo.SelectedFolder().SetIdList(absolute); });
}

void TPTFormControlLinks::ComboSide::TreeChanged(TPTShTreeData* data)
{
    // The tree leads the combo: always followed, and not passed back.
    Passing(m.FPassing, [&] { m.FCombo.TreeChanged(data); });
}

void TPTFormControlLinks::ComboSide::Synchronize(bool)
{
    m.FCombo.Synchronize(false);
}

void TPTFormControlLinks::ComboSide::GoUp(int levels)
{
    m.FCombo.GoUp(levels);
}
