#include "shell/utils/ShellMalloc.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace
{

// Each block carries its size and a tag in front, so GetSize and DidAlloc can
// answer; 16 bytes keep the payload aligned like malloc's.
struct alignas(16) BlockHeader {
    std::size_t size;
    std::uint64_t tag;
};
constexpr std::uint64_t kTag = 0x5645'4C44'4D41'4C4Cull;
// Larger sizes would wrap round when the header is added and give a tiny block.
constexpr std::size_t kMaxSize = std::numeric_limits<std::size_t>::max() - sizeof(BlockHeader);

class TShellMalloc final : public IMalloc
{
  public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IMalloc) {
            *object = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives for the whole process.
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }

    void* Alloc(std::size_t size) override
    {
        if (size > kMaxSize)
            return nullptr;
        auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
        if (!header)
            return nullptr;
        header->size = size;
        header->tag = kTag;
        ++m_live;
        return header + 1;
    }

    void* Realloc(void* block, std::size_t size) override
    {
        if (!block)
            return Alloc(size);
        if (size == 0) {
            Free(block);
            return nullptr;
        }
        if (size > kMaxSize)
            return nullptr;
        auto* header = static_cast<BlockHeader*>(block) - 1;
        auto* moved = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + size));
        if (!moved)
            return nullptr;
        moved->size = size;
        return moved + 1;
    }

    void Free(void* block) override
    {
        if (!block)
            return;
        auto* header = static_cast<BlockHeader*>(block) - 1;
        header->tag = 0;
        std::free(header);
        --m_live;
    }

    std::size_t GetSize(void* block) override
    {
        return block ? (static_cast<BlockHeader*>(block) - 1)->size : static_cast<std::size_t>(-1);
    }

    int DidAlloc(void* block) override
    {
        return block && (static_cast<BlockHeader*>(block) - 1)->tag == kTag ? 1 : 0;
    }

    void HeapMinimize() override {}

    long live() const { return m_live.load(); }

  private:
    std::atomic<long> m_live{0};
};

TShellMalloc& instance()
{
    static TShellMalloc malloc;
    return malloc;
}

} // namespace

IMalloc* ShellIMalloc()
{
    return &instance();
}

HRESULT SHGetMalloc(IMalloc** malloc)
{
    if (!malloc)
        return E_INVALIDARG;
    *malloc = &instance();
    (*malloc)->AddRef();
    return S_OK;
}

void* ShellMemAlloc(std::size_t size)
{
    return instance().Alloc(size);
}

void* ShellMemRealloc(void* block, std::size_t size)
{
    return block ? instance().Realloc(block, size) : nullptr;
}

void ShellMemFree(void* block)
{
    instance().Free(block);
}

long ShellLiveBlockCount()
{
    return instance().live();
}
