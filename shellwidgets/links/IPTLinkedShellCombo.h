#pragma once

class TPTShellLocator;
class TPTShTreeData;

// What a shell tree or shell list uses of the folder combo it is linked to.
// The partner never owns the combo; the combo tells it when the link ends.
// User-interface thread only.
class IPTLinkedShellCombo
{
  public:
    // The folder the combo shows. A linked list routes its navigation through
    // it: assigning it refills the combo and moves the partner along (the
    // partner's own re-entry counter stops the echo).
    virtual TPTShellLocator& SelectedFolder() = 0;
    // The tree's selection changed; aSelectedNodeData is the record of the
    // selected node, null when the node has none (nothing happens then).
    virtual void TreeChanged(TPTShTreeData* aSelectedNodeData) = 0;
    // Selects the ancestor entry that many levels up.
    virtual void GoUp(int aLevels) = 0;
    // The combo does no deferred work; with aAlsoLinked it lets its partner
    // finish its own (without passing it back).
    virtual void Synchronize(bool aAlsoLinked) = 0;

  protected:
    ~IPTLinkedShellCombo() = default;
};
