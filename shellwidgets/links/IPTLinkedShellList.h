#pragma once

class IPTLinkedShellCombo;
class QObject;
class TPTShellLocator;

// What the folder combo needs of a shell list linked to it. The list's
// Folder change runs, when its SyncLock is not raised and with it raised, the
// combo's SelectedFolder assignment, so a change that came from the combo is
// not passed back. User-interface thread only.
class IPTLinkedShellList
{
  public:
    // The list's object; the combo forgets the list when it is destroyed.
    virtual QObject* LinkObject() = 0;
    // Linking (the combo) or unlinking (null): a linked list navigates
    // through the combo's SelectedFolder instead of its own Folder.
    virtual void SetShellCombo(IPTLinkedShellCombo* aCombo) = 0;
    // The list's Folder takes aFolder (Assign).
    virtual void SetFolder(const TPTShellLocator& aFolder) = 0;
    // Does the list's pending refresh now; aAlsoLinked as the combo's.
    virtual void Synchronize(bool aAlsoLinked) = 0;

  protected:
    ~IPTLinkedShellList() = default;
};
