#pragma once

#include "shell/shell95/IMalloc.h"

#include <cstddef>

// The process-wide shell allocator: malloc/free with a count of live blocks,
// so tests can check that every list handed out was freed. Thread-safe.
IMalloc* ShellIMalloc();

// Like the platform call: hands out the allocator with one added reference.
HRESULT SHGetMalloc(IMalloc** malloc);

void* ShellMemAlloc(std::size_t size);
// A null block returns null and allocates nothing.
void* ShellMemRealloc(void* block, std::size_t size);
void ShellMemFree(void* block);

// Blocks of the shell allocator not yet freed.
long ShellLiveBlockCount();
