#pragma once

#include "shell/locator/TPTShellLocator.h"
#include "shell/records/IPTShellTreeOwner.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"

#include <QObject>

// Stand-ins for the shell list's and the shell tree's side of the link to
// the folder combo, keeping the rules the real controls follow: a change that
// arrives while their SyncLock is raised is not passed back.

class TLinkedListDouble : public QObject, public IPTLinkedShellList
{
  public:
    TLinkedListDouble();

    QObject* LinkObject() override { return this; }
    void SetShellCombo(IPTLinkedShellCombo* aCombo) override { Combo = aCombo; }
    void SetFolder(const TPTShellLocator& aFolder) override { Folder.Assign(&aFolder); }
    void Synchronize(bool aAlsoLinked) override;

    // Navigation of a linked list goes through the combo.
    void NavigateTo(PCItemIDList aAbsolute);

    TPTShellLocator Folder;
    IPTLinkedShellCombo* Combo = nullptr;
    int SyncLock = 0;
    int FolderChanges = 0;
    int Synchronized = 0;
};

class TLinkedTreeDouble : public QObject, public IPTLinkedShellTree, public IPTShellTreeOwner
{
  public:
    TLinkedTreeDouble();

    QObject* LinkObject() override { return this; }
    void SetShellCombo(IPTLinkedShellCombo* aCombo) override { Combo = aCombo; }
    void SetSelectedFolder(const TPTShellLocator& aFolder) override;
    void RefreshNodes() override { ++Refreshes; }
    void Synchronize(bool) override {}

    // The user selects the node of aAbsolute: the tree tells the combo with
    // its SyncLock raised.
    void SelectNode(PCItemIDList aAbsolute);

    TPTShellLocator SelectedFolder;
    IPTLinkedShellCombo* Combo = nullptr;
    int SyncLock = 0;
    int SelectionChanges = 0;
    int Refreshes = 0;
};
