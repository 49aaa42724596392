#include "platform/GlobalMemory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

struct TGlobalBlock {
    std::size_t size;
    alignas(std::max_align_t) unsigned char data[1];
};

namespace
{

std::atomic<long> g_liveBlocks{0};

} // namespace

HGLOBAL GlobalAlloc(unsigned, std::size_t size)
{
    void* raw = std::calloc(1, offsetof(TGlobalBlock, data) + (size ? size : 1));
    if (!raw)
        return nullptr;
    auto* block = static_cast<TGlobalBlock*>(raw);
    block->size = size;
    ++g_liveBlocks;
    return block;
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    if (block) {
        std::free(block);
        --g_liveBlocks;
    }
    return nullptr;
}

std::size_t GlobalSize(HGLOBAL block)
{
    return block ? block->size : 0;
}

void* GlobalLock(HGLOBAL block)
{
    return block ? block->data : nullptr;
}

bool GlobalUnlock(HGLOBAL block)
{
    return block != nullptr;
}

HGLOBAL GlobalCopy(HGLOBAL block)
{
    if (!block)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, block->size);
    if (copy)
        std::memcpy(copy->data, block->data, block->size);
    return copy;
}

long GlobalLiveBlockCount()
{
    return g_liveBlocks.load();
}
