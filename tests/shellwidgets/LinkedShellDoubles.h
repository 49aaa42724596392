#pragma once

#include "shell/locator/TPTShellLocator.h"
#include "shell/records/IPTShellTreeOwner.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"

#include <QString>

#include <functional>

// Stand-ins for the partners of a link, keeping the rules the real controls
// follow: linking links back, a double unlinks itself when destroyed, and a
// change that arrives while its SyncLock is raised is not passed back. They
// count what they are told.

class TLinkedListDouble : public IPTLinkedShellList
{
  public:
    TLinkedListDouble();
    ~TLinkedListDouble();

    IPTLinkedShellTree* ShellTree() const override { return Tree; }
    void SetShellTree(IPTLinkedShellTree* aTree) override;
    IPTLinkedShellCombo* ShellCombo() const override { return Combo; }
    void SetShellCombo(IPTLinkedShellCombo* aCombo) override;
    void SetFolder(PCItemIDList aAbsolute) override;
    void TreeChanged(TPTShTreeData* aSelectedNodeData) override;
    void Synchronize(bool aAlsoLinked) override;
    bool HideFoldersWhenLinkedToTree() const override { return HideFolders; }

    // Navigation of a linked list goes through its tree, else its combo.
    void NavigateTo(PCItemIDList aAbsolute);

    TPTShellLocator Folder;
    IPTLinkedShellTree* Tree = nullptr;
    IPTLinkedShellCombo* Combo = nullptr;
    int SyncLock = 0;
    int FolderSets = 0;    // SetFolder calls, changing or not
    int FolderChanges = 0; // changes of Folder
    int TreeChanges = 0;
    int Synchronized = 0;
    QString LastPath; // of the last TreeChanged
    bool HideFolders = false;
    std::function<void()> OnTreeChanged;
};

class TLinkedComboDouble : public IPTLinkedShellCombo
{
  public:
    ~TLinkedComboDouble();

    IPTLinkedShellTree* ShellTree() const override { return Tree; }
    void SetShellTree(IPTLinkedShellTree* aTree) override;
    IPTLinkedShellList* ShellList() const override { return nullptr; }
    void SetShellList(IPTLinkedShellList*) override {}
    void SetSelectedFolder(PCItemIDList) override { ++FolderSets; }
    void TreeChanged(TPTShTreeData* aSelectedNodeData) override;
    void GoUp(int) override {}
    void Synchronize(bool) override {}

    IPTLinkedShellTree* Tree = nullptr;
    int FolderSets = 0;
    int TreeChanges = 0;
    QString LastPath;
};

class TLinkedTreeDouble : public IPTLinkedShellTree, public IPTShellTreeOwner
{
  public:
    TLinkedTreeDouble();
    ~TLinkedTreeDouble();

    IPTLinkedShellList* ShellList() const override { return nullptr; }
    void SetShellList(IPTLinkedShellList*) override {}
    IPTLinkedShellCombo* ShellCombo() const override { return Combo; }
    void SetShellCombo(IPTLinkedShellCombo* aCombo) override;
    void SetSelectedFolder(PCItemIDList aAbsolute) override;
    void DoSetSelectedIdList(PCItemIDList aAbsolute) override { SetSelectedFolder(aAbsolute); }
    void GoUp(int) override {}
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
