#pragma once

#include <vector>

// The process-wide memory of list column widths, shared by every shell list:
// a 32-bit signed count n, then n 32-bit signed widths, little-endian. Empty
// until a list first saves its widths. User-interface thread only.
namespace ColumnWidthStore
{

bool IsEmpty();
// Replaces what is stored with these widths.
void Save(const std::vector<int>& widths);
// The widths to give columns 0, 1, ... of a list with columnCount columns:
// the stored count, at most columnCount - 1, plus one widths are read, and
// reading stops at the first width the store does not hold.
std::vector<int> Restore(int columnCount);
// Forgets everything (tests start from a fresh process state).
void Clear();

} // namespace ColumnWidthStore
