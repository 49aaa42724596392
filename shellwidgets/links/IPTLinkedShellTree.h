#pragma once

class IPTLinkedShellCombo;
class QObject;
class TPTShellLocator;

// What the folder combo needs of a shell tree linked to it. The tree keeps
// its own re-entry counter (SyncLock): while it is raised, the tree does not
// pass selection changes on, which ends the echo of a change that came from
// the combo. User-interface thread only.
class IPTLinkedShellTree
{
  public:
    // The tree's object; the combo forgets the tree when it is destroyed.
    virtual QObject* LinkObject() = 0;
    // Linking (the combo) or unlinking (null): the tree keeps or forgets its
    // combo and reports its selection changes to it (TreeChanged).
    virtual void SetShellCombo(IPTLinkedShellCombo* aCombo) = 0;
    // The tree's SelectedFolder takes aFolder (Assign). While the tree's
    // SyncLock is raised or it is loading, only its linked list follows.
    virtual void SetSelectedFolder(const TPTShellLocator& aFolder) = 0;
    // Brings the filled part of the tree up to date.
    virtual void RefreshNodes() = 0;
    // Does the tree's pending delayed work now; aAlsoLinked as the combo's.
    virtual void Synchronize(bool aAlsoLinked) = 0;

  protected:
    ~IPTLinkedShellTree() = default;
};
