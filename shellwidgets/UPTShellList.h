#pragma once

// The shell file list and what it shares with its linked controls.
#include "shellwidgets/IPTShellListLinkedCombo.h"
#include "shellwidgets/IPTShellListLinkedTree.h"
#include "shellwidgets/list/ColumnWidthStore.h"
#include "shellwidgets/list/TPTCustomShellList.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/list/TPTShellListOptions.h"
