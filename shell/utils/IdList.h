#pragma once

#include "shell/shell95/IMalloc.h"
#include "shell/shell95/TItemIDList.h"

#include <QByteArray>
#include <QString>

#include <climits>

// Result of CompareAbsIdLists when the comparison could not be made.
constexpr int kCompareIdListsFailed = INT_MAX;

// Null: 0; else every item's size plus 2 for the terminator (empty list: 2).
int IdListLen(PCItemIDList idList);

// A new copy from the given allocator (null: the shell allocator); a null
// list gives a new empty list; null when allocation fails.
PItemIDList CopyIdList(IMalloc* malloc, PCItemIDList idList);

// A new list: the items of the first, then those of the second.
PItemIDList ConcatIdLists(IMalloc* malloc, PCItemIDList first, PCItemIDList second);

// Two absolute lists through the desktop folder's CompareIDs(0, ...): negative,
// 0 or positive. Null and empty lists: both null 0, one null -1, both empty 0,
// one empty -1. kCompareIdListsFailed when the desktop cannot compare them.
int CompareAbsIdLists(PCItemIDList idList1, PCItemIDList idList2);

// Walking a list. IdListNext returns null at the terminator.
bool IdListIsEmpty(PCItemIDList idList); // null or just the terminator
PCItemIDList IdListNext(PCItemIDList item);
int IdListItemCount(PCItemIDList idList);
PCItemIDList IdListLastItem(PCItemIDList idList); // null for an empty list

// Persisted and transferred lists are checked before use: every item size at
// least 3 (a size of 1 or 2 would never advance) and inside the data, and a
// terminator at the very end.
bool IsValidIdListData(const void* data, std::size_t size);
QByteArray IdListToBytes(PCItemIDList idList); // the IdListLen bytes; empty for null
PItemIDList IdListFromBytes(IMalloc* malloc, const QByteArray& bytes); // null when not valid

// Appends the character unless the string is empty or already ends with it.
// A last byte that belongs to a UTF-8 multi-byte sequence never counts as the
// character, so the character is appended then.
QByteArray EnsureTrailingCharDB(const QByteArray& text, char ch);
QString EnsureTrailingCharDB(const QString& text, QChar ch);
