#include "LinkedShellDoubles.h"

#include "shell/records/TPTShTreeData.h"

TLinkedListDouble::TLinkedListDouble()
    : Folder([this](TPTShellLocator*) {
          ++FolderChanges;
          if (SyncLock > 0 || !Combo)
              return;
          ++SyncLock;
          Combo->SelectedFolder().Assign(&Folder);
          --SyncLock;
      })
{
}

void TLinkedListDouble::Synchronize(bool aAlsoLinked)
{
    ++Synchronized;
    if (aAlsoLinked && Combo)
        Combo->Synchronize(false);
}

void TLinkedListDouble::NavigateTo(PCItemIDList aAbsolute)
{
    if (Combo)
        Combo->SelectedFolder().SetIdList(aAbsolute);
    else
        Folder.SetIdList(aAbsolute);
}

TLinkedTreeDouble::TLinkedTreeDouble()
    : SelectedFolder([this](TPTShellLocator*) { ++SelectionChanges; })
{
}

void TLinkedTreeDouble::SetSelectedFolder(const TPTShellLocator& aFolder)
{
    if (SyncLock > 0)
        return;
    SelectedFolder.Assign(&aFolder);
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
