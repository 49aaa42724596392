#pragma once

#include <cstddef>

// Global-memory blocks as the clipboard and drag-and-drop formats travel in:
// a handle to a block that knows its size. Blocks are plain heap memory here;
// "movable" and "lock" keep the calls readable but move nothing.
struct TGlobalBlock;
using HGLOBAL = TGlobalBlock*;

constexpr unsigned GMEM_MOVEABLE = 0x2;
constexpr unsigned GMEM_ZEROINIT = 0x40;
constexpr unsigned GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the memory is not there. Without GMEM_ZEROINIT the bytes are
// still zeroed: a block handed to another program never carries old memory.
HGLOBAL GlobalAlloc(unsigned flags, std::size_t size);
// Null handles are ignored. Always returns null, like the platform call.
HGLOBAL GlobalFree(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
void* GlobalLock(HGLOBAL block);
bool GlobalUnlock(HGLOBAL block);

// A new block of the same size with the same bytes; null when allocation
// fails or the source is null.
HGLOBAL GlobalCopy(HGLOBAL block);

// Blocks not yet freed, so tests can check that every block was released.
long GlobalLiveBlockCount();
