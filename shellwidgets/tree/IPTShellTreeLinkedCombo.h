#pragma once

#include "shell/shell95/TItemIDList.h"

class QObject;
class TPTShTreeData;

// What the folder tree asks of the folder combo linked to it. The shell
// combo implements it; the tree holds it only while the combo's object lives
// (it watches LinkObject()'s destruction). User-interface thread only.
class IPTShellTreeLinkedCombo
{
  public:
    // The object whose destruction unlinks the combo.
    virtual QObject* LinkObject() = 0;
    // Show this folder (absolute list; null: the desktop).
    virtual void SetSelectedFolder(PCItemIDList absolute) = 0;
    // The user selected this node's folder in the tree.
    virtual void TreeChanged(TPTShTreeData* data) = 0;
    // Carry out delayed work now.
    virtual void Synchronize(bool alsoLinked) = 0;

  protected:
    ~IPTShellTreeLinkedCombo() = default;
};
