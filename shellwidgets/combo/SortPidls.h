#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/utils/TIdListPtr.h"

#include <vector>

// Orders one folder's relative lists by the folder's CompareIDs(0, a, b): the
// signed 16-bit result code, a failed comparison counting as equal. The sort
// is not re-entrant: a call while another runs (a comparison that found its
// way back here) raises "Recursive call to SortPidls". User-interface thread.
void SortPidls(IShellFolder* folder, std::vector<TIdListPtr>& idLists);
