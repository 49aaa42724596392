#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TItemIDList.h"

#include <utility>
#include <vector>

// The refresh merge of the shell list, in one place so that a shared merge
// helper can take over later: which items of an old listing have vanished,
// which of a new listing are new, and which are the same item with changed
// data (a file that was written to keeps its place and its selection).
namespace ShellListMerge
{

struct TResult {
    std::vector<int> vanished;                // indexes into the old lists, ascending
    std::vector<int> added;                   // indexes into the new lists, ascending
    std::vector<std::pair<int, int>> changed; // (old, new): same item, other bytes
};

// Items are the same when the folder's CompareIDs(0) calls them equal, or,
// without a folder, when they name the same entry: a file-system item by its
// kind and name (its cached stat data may change), any other item by its bytes.
// O(n log n) in the number of items.
TResult Merge(const std::vector<PCItemIDList>& oldLists, const std::vector<PCItemIDList>& newLists,
              IShellFolder* compareFolder);

} // namespace ShellListMerge
