#pragma once

#include "controls/treelist/TPTCustomTreeView.h"

// The tree as host programs use it; everything is public in the base already.
class TPTTreeView : public TPTCustomTreeView
{
    Q_OBJECT
  public:
    using TPTCustomTreeView::TPTCustomTreeView;
};
