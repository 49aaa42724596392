#pragma once

#include "shell/shell95/TItemIDList.h"

// What the shell file list asks of a linked folder tree. The tree implements
// it and links itself to the list; the list never owns it, and the tree
// unlinks itself before it goes. User-interface thread only.
class IPTShellListLinkedTree
{
  public:
    // Select the folder of an absolute list (null: the desktop), adding the
    // nodes on the way; the tree passes the selection on to its linked controls.
    virtual void DoSetSelectedIdList(PCItemIDList absolute) = 0;
    // Carry out a pending delayed selection or refresh at once; with
    // alsoLinked the tree asks its other linked controls too.
    virtual void Synchronize(bool alsoLinked) = 0;
    // Select the folder `levels` above the selected one.
    virtual void GoUp(int levels) = 0;

  protected:
    ~IPTShellListLinkedTree() = default;
};
