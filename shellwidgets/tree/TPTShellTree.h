#pragma once

#include "shellwidgets/tree/TPTCustomShellTree.h"

// The folder tree as programs place it on their forms.
class TPTShellTree : public TPTCustomShellTree
{
    Q_OBJECT
  public:
    using TPTCustomShellTree::TPTCustomShellTree;
};
