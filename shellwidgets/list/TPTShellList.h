#pragma once

#include "shellwidgets/list/TPTCustomShellList.h"

// The shell file list as forms use it.
class TPTShellList : public TPTCustomShellList
{
    Q_OBJECT
  public:
    using TPTCustomShellList::TPTCustomShellList;
};
