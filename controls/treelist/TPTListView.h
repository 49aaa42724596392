#pragma once

#include "controls/treelist/TPTCustomListView.h"

// The list as host programs use it; everything is public in the base already.
class TPTListView : public TPTCustomListView
{
    Q_OBJECT
  public:
    using TPTCustomListView::TPTCustomListView;
};
