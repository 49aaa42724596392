#include "LinkedShellDoubles.h"

#include "shell/records/TPTShTreeData.h"
#include "shellwidgets/links/PTSetLink.h"

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
    PTSetLink<IPTLinkedShellList>(Tree, aTree, this, &IPTLinkedShellTree::SetShellList,
                                  &IPTLinkedShellTree::ShellList);
}

void TLinkedListDouble::SetShellCombo(IPTLinkedShellCombo* aCombo)
{
    PTSetLink<IPTLinkedShellList>(Combo, aCombo, this, &IPTLinkedShellCombo::SetShellList,
                                  &IPTLinkedShellCombo::ShellList);
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
    PTSetLink<IPTLinkedShellCombo>(Tree, aTree, this, &IPTLinkedShellTree::SetShellCombo,
                                   &IPTLinkedShellTree::ShellCombo);
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
    PTSetLink<IPTLinkedShellTree>(Combo, aCombo, this, &IPTLinkedShellCombo::SetShellTree,
                                  &IPTLinkedShellCombo::ShellTree);
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
