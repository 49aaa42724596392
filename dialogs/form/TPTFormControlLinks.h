#pragma once

#include "shellwidgets/IPTShellListLinkedCombo.h"
#include "shellwidgets/IPTShellListLinkedTree.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/tree/IPTShellTreeLinkedCombo.h"
#include "shellwidgets/tree/IPTShellTreeLinkedList.h"

class TPTCustomShellCombo;
class TPTCustomShellList;
class TPTCustomShellTree;

// Joins the dialog's folder combo, folder tree and file list through the link
// interfaces each control declares today; the controls do not implement each
// other's interfaces yet, so these adapters translate. Only
// TPTFrmOpenDlg::LinkControls uses them: once the controls share one set of
// link interfaces, that function links them directly and this file goes.
// The controls must outlive the object. User-interface thread only.
class TPTFormControlLinks
{
  public:
    TPTFormControlLinks(TPTCustomShellCombo& combo, TPTCustomShellTree& tree,
                        TPTCustomShellList& list);
    ~TPTFormControlLinks();
    TPTFormControlLinks(const TPTFormControlLinks&) = delete;
    TPTFormControlLinks& operator=(const TPTFormControlLinks&) = delete;

    // Combo -> list: the folder the combo shows is the list's.
    void LinkListToCombo();
    // Combo -> tree -> list: the tree follows the combo, the list the tree.
    void LinkTreeBetween();
    void UnlinkTree();
    bool TreeLinkedToCombo() const;

  private:
    // The list as the combo and the tree see it.
    class ListSide : public IPTLinkedShellList, public IPTShellTreeLinkedList
    {
      public:
        explicit ListSide(TPTFormControlLinks& links) : m(links) {}
        QObject* LinkObject() override;
        void SetShellCombo(IPTLinkedShellCombo* aCombo) override;
        void SetFolder(const TPTShellLocator& aFolder) override;
        void Synchronize(bool aAlsoLinked) override;
        void SetLinkedTree(TPTCustomShellTree* tree) override;
        void SetFolder(PCItemIDList absolute) override;
        void TreeChanged(TPTShTreeData* data) override;
        bool HideFoldersWhenLinkedToTree() const override;

      private:
        TPTFormControlLinks& m;
    };
    // The tree as the combo and the list see it.
    class TreeSide : public IPTLinkedShellTree, public IPTShellListLinkedTree
    {
      public:
        explicit TreeSide(TPTFormControlLinks& links) : m(links) {}
        QObject* LinkObject() override;
        void SetShellCombo(IPTLinkedShellCombo* aCombo) override;
        void SetSelectedFolder(const TPTShellLocator& aFolder) override;
        void RefreshNodes() override;
        void Synchronize(bool aAlsoLinked) override;
        void DoSetSelectedIdList(PCItemIDList absolute) override;
        void GoUp(int levels) override;

      private:
        TPTFormControlLinks& m;
    };
    // The combo as the list and the tree see it.
    class ComboSide : public IPTShellListLinkedCombo, public IPTShellTreeLinkedCombo
    {
      public:
        explicit ComboSide(TPTFormControlLinks& links) : m(links) {}
        QObject* LinkObject() override;
        void SetSelectedFolder(PCItemIDList absolute) override;
        void TreeChanged(TPTShTreeData* data) override;
        void Synchronize(bool alsoLinked) override;
        void GoUp(int levels) override;

      private:
        TPTFormControlLinks& m;
    };

    TPTCustomShellCombo& FCombo;
    TPTCustomShellTree& FTree;
    TPTCustomShellList& FList;
    ListSide FListSide{*this};
    TreeSide FTreeSide{*this};
    ComboSide FComboSide{*this};
    // Raised while a change passes from one control to the others, so the
    // echo of that change does not travel back.
    int FPassing = 0;
};
