#pragma once

#include "platform/GlobalMemory.h"
#include "platform/ResultCodes.h"
#include "shell/shell95/TItemIDList.h"

#include <QByteArray>
#include <QList>

// The two blocks the shell formats travel in. All integers little-endian.
//
// Identifier-list array ("Shell IDList Array"):
//   0        u32      n, the number of items
//   4        u32 x n+1 offsets of the parent list and of items 1..n
//   8 + 4n   parent folder's absolute list (an empty list when there is none)
//   then     the items' lists relative to the parent, in order
//
// File-drop block (format 15): a 20-byte header (u32 offset of the names = 20,
// i32 x, i32 y of the drop point = 0, u32 non-client flag = 0, u32 wide flag
// = 0), then each name as zero-terminated bytes, then one more zero byte.
// Names are the raw file-system bytes of full paths.

// Null parent: an empty list. Out of memory: E_OUTOFMEMORY, *block null.
HRESULT BuildIdListArray(PCItemIDList parent, const QList<PCItemIDList>& items, HGLOBAL* block);

// 260 bytes a name plus 21, as other programs expect; never smaller than the
// names need, since paths here are not bounded by 260.
HRESULT BuildFileDropBlock(const QList<QByteArray>& names, HGLOBAL* block);

// Texts joined by CR LF (each followed by it when `trailing`), plus a zero.
HRESULT BuildTextBlock(const QList<QByteArray>& names, bool trailing, HGLOBAL* block);

// A block read back, checked: a count that fits, offsets inside the block and
// well-formed lists, and copies of them that add up to at most
// kMaxIdListArrayExpansion times the block (our own blocks hold each list
// once, so 1 time).
inline constexpr std::size_t kMaxIdListArrayExpansion = 4;
struct TIdListArrayData {
    QByteArray parent;       // the parent's list bytes, terminator included
    QList<QByteArray> items; // each item's list bytes, terminator included
};
bool ReadIdListArray(const void* data, std::size_t size, TIdListArrayData& out);
bool ReadIdListArray(HGLOBAL block, TIdListArrayData& out);

// Names of a file-drop block (wide blocks are read as UTF-16 and turned into
// file-name bytes); false when the header or a name runs past the block.
bool ReadFileDropBlock(const void* data, std::size_t size, QList<QByteArray>& names);
bool ReadFileDropBlock(HGLOBAL block, QList<QByteArray>& names);

QByteArray BytesOfGlobal(HGLOBAL block);
// Null when allocation fails.
HGLOBAL GlobalFromBytes(const QByteArray& bytes);
