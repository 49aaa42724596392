#pragma once

// The shell file list and what it shares with its linked controls.
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/list/ColumnWidthStore.h"
#include "shellwidgets/list/TPTCustomShellList.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/list/TPTShellListOptions.h"
