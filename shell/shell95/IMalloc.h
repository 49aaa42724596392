#pragma once

#include "shell/shell95/IUnknown.h"

#include <cstddef>

class IMalloc : public IUnknown
{
  public:
    virtual void* Alloc(std::size_t size) = 0;
    virtual void* Realloc(void* block, std::size_t size) = 0;
    virtual void Free(void* block) = 0;
    // The usable size of a block, (size_t)-1 when the allocator cannot tell.
    virtual std::size_t GetSize(void* block) = 0;
    // 1 when the block is ours, 0 when not, -1 when the allocator cannot tell.
    virtual int DidAlloc(void* block) = 0;
    virtual void HeapMinimize() = 0;
};
