#pragma once

class TPTCustomShellCombo;
class TPTCustomShellList;
class TPTCustomShellTree;

// How the dialog joins its folder combo, folder tree and file list: with the
// tree hidden the combo leads the list; with it shown the combo leads the tree
// and the tree the list (the combo keeps one partner). Only
// TPTFrmOpenDlg::LinkControls and the tree toggle use it. The controls must
// outlive the object. User-interface thread only.
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
    void UnlinkTree() { LinkListToCombo(); }
    bool TreeLinkedToCombo() const;

  private:
    TPTCustomShellCombo& FCombo;
    TPTCustomShellTree& FTree;
    TPTCustomShellList& FList;
};
