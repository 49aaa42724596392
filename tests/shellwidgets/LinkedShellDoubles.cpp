#include "LinkedShellDoubles.h"

#include "shell/records/TPTShTreeData.h"

#include <utility>

// ---- list ------------------------------------------------------------------

TLinkedListDouble::TLinkedListDouble()
    : Folder([this](TPTShellLocator*) {
          ++FolderChanges;
          if (SyncLock > 0)
              return;
          ++SyncLock;
          if (Tree)
              Tree->DoSetSelectedIdList(Folder.GetIdList());
          else if (Combo)
              Combo->SetSelectedFolder(Folder.GetIdList());
          --SyncLock;
      })
{
}

TLinkedListDouble::~TLinkedListDouble()
{
    SetShellTree(nullptr);
    SetShellCombo(nullptr);
}

void TLinkedListDouble::SetShellTree(IPTLinkedShellTree* aTree)
{
    if (aTree == Tree)
        return;
    if (IPTLinkedShellTree* old = std::exchange(Tree, nullptr))
        old->SetShellList(nullptr);
    Tree = aTree;
    if (aTree)
        aTree->SetShellList(this);
}

void TLinkedListDouble::SetShellCombo(IPTLinkedShellCombo* aCombo)
{
    if (aCombo == Combo)
        return;
    if (IPTLinkedShellCombo* old = std::exchange(Combo, nullptr))
        old->SetShellList(nullptr);
    Combo = aCombo;
    if (!aCombo)
        return;
    aCombo->SetShellList(this);
    if (aCombo->ShellList() != this)
        Combo = nullptr;
}

void TLinkedListDouble::SetFolder(PCItemIDList aAbsolute)
{
    ++FolderSets;
    Folder.SetIdList(aAbsolute);
}

void TLinkedListDouble::TreeChanged(TPTShTreeData* aSelectedNodeData)
{
    ++TreeChanges;
    LastPath = aSelectedNodeData->GetPathName();
    if (OnTreeChanged)
        OnTreeChanged();
}

void TLinkedListDouble::Synchronize(bool aAlsoLinked)
{
    ++Synchronized;
    if (aAlsoLinked && Combo)
        Combo->Synchronize(false);
}

void TLinkedListDouble::NavigateTo(PCItemIDList aAbsolute)
{
    if (Tree)
        Tree->SetSelectedFolder(aAbsolute);
    else if (Combo)
        Combo->SetSelectedFolder(aAbsolute);
    else
        Folder.SetIdList(aAbsolute);
}

// ---- combo -----------------------------------------------------------------

TLinkedComboDouble::~TLinkedComboDouble()
{
    SetShellTree(nullptr);
}

void TLinkedComboDouble::SetShellTree(IPTLinkedShellTree* aTree)
{
    if (aTree == Tree)
        return;
    if (IPTLinkedShellTree* old = std::exchange(Tree, nullptr))
        old->SetShellCombo(nullptr);
    Tree = aTree;
    if (aTree)
        aTree->SetShellCombo(this);
}

void TLinkedComboDouble::TreeChanged(TPTShTreeData* aSelectedNodeData)
{
    ++TreeChanges;
    LastPath = aSelectedNodeData->GetPathName();
}

// ---- tree ------------------------------------------------------------------

TLinkedTreeDouble::TLinkedTreeDouble()
    : SelectedFolder([this](TPTShellLocator*) { ++SelectionChanges; })
{
}

TLinkedTreeDouble::~TLinkedTreeDouble()
{
    SetShellCombo(nullptr);
}

void TLinkedTreeDouble::SetShellCombo(IPTLinkedShellCombo* aCombo)
{
    if (aCombo == Combo)
        return;
    if (IPTLinkedShellCombo* old = std::exchange(Combo, nullptr))
        old->SetShellTree(nullptr);
    Combo = aCombo;
    if (!aCombo)
        return;
    aCombo->SetShellTree(this);
    if (aCombo->ShellTree() != this)
        Combo = nullptr;
}

void TLinkedTreeDouble::SetSelectedFolder(PCItemIDList aAbsolute)
{
    if (SyncLock > 0)
        return;
    SelectedFolder.SetIdList(aAbsolute);
}

void TLinkedTreeDouble::SelectNode(PCItemIDList aAbsolute)
{
    TPTShTreeData node(this);
    node.SetData(nullptr, nullptr, aAbsolute);
    ++SyncLock;
    SelectedFolder.SetIdList(aAbsolute);
    if (Combo)
        Combo->TreeChanged(&node);
    --SyncLock;
}
