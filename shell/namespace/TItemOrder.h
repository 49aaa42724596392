#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <vector>

// The order a folder's CompareIDs(column, ...) gives its items, for sorting and
// searching many of them. For a file-system folder whose items are all its own
// entries, each item is decoded once (name, size, time, a rank for its type)
// and the keys are sorted: a sort of 100 000 items would otherwise decode two
// items and look up two type names in each of about two million comparisons.
// Other folders go through CompareIDs. User-interface thread only.
class TItemOrder
{
  public:
    TItemOrder(IShellFolder* folder, int column);

    // Indexes into items, in ascending order (descending: the reverse). Items
    // the folder cannot compare keep their relative places.
    std::vector<int> SortedIndexes(const std::vector<PCItemIDList>& items,
                                   bool descending = false) const;

    // CompareIDs(column) as a signed 16-bit value; 0 when the call fails.
    int Compare(PCItemIDList a, PCItemIDList b) const;

    // Whether CompareIDs(column) would call the two the same item; entries of
    // a file-system folder are told apart by their sizes and bytes first,
    // without calling the folder.
    bool Same(PCItemIDList a, PCItemIDList b) const;

  private:
    TComPtr<IShellFolder> m_folder;
    int m_column;
    bool m_fileSystem; // a file-system folder: its entries order as CompareFileSystemItems
};
