#pragma once

#include "dialogs/TPTOpenOptions.h"
#include "shellwidgets/list/TPTShellListOptions.h"
#include "shellwidgets/tree/TPTShellTreeOptions.h"

// The dialog options that reach the file list and the folder tree. Each
// mapped member of the current set is set when the dialog option is present
// and cleared when it is absent; every other member is kept.
TPTShellListOptions MapOpenOptionsToList(TPTOpenOptions dialog, TPTShellListOptions current);
TPTShellTreeOptions MapOpenOptionsToTree(TPTOpenOptions dialog, TPTShellTreeOptions current);
