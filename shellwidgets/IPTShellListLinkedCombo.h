#pragma once

#include "shell/shell95/TItemIDList.h"

// What the shell file list asks of a linked folder combo. The combo
// implements it and links itself to the list; the list never owns it, and the
// combo unlinks itself before it goes. User-interface thread only.
class IPTShellListLinkedCombo
{
  public:
    // Show the folder of an absolute list (null: the desktop); the combo passes
    // the change on to its linked controls.
    virtual void SetSelectedFolder(PCItemIDList absolute) = 0;
    virtual void Synchronize(bool alsoLinked) = 0;
    virtual void GoUp(int levels) = 0;

  protected:
    ~IPTShellListLinkedCombo() = default;
};
