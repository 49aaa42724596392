#pragma once

// The tree and list view base: custom draw, context-menu routing, the list
// header's sort arrow, and the item models the shell tree and list build on.
#include "controls/images/TPTImageList.h"
#include "controls/treelist/PTHeaderGlyphs.h"
#include "controls/treelist/TNMCustomDraw.h"
#include "controls/treelist/TPTCustomDraw.h"
#include "controls/treelist/TPTCustomListView.h"
#include "controls/treelist/TPTCustomTreeView.h"
#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListView.h"
#include "controls/treelist/TPTLvCustomDraw.h"
#include "controls/treelist/TPTTreeModel.h"
#include "controls/treelist/TPTTreeView.h"
#include "controls/treelist/TPTTvCustomDraw.h"
