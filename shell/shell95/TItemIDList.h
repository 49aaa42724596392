#pragma once

#include <cstdint>

// Item identifier list, binary: items, each a 16-bit little-endian size `cb`
// (counting its own two bytes) followed by cb - 2 data bytes, then a 16-bit
// zero. The empty list (just the terminator) is the desktop. Items are not
// aligned: read sizes with ItemIdSize, never through `cb` of a cast pointer.
#pragma pack(push, 1)
struct TSHItemID {
    std::uint16_t cb;
    std::uint8_t abID[1];
};

struct TItemIDList {
    TSHItemID mkid;
};
#pragma pack(pop)

using PItemIDList = TItemIDList*;
using PCItemIDList = const TItemIDList*;

inline std::uint16_t ItemIdSize(const void* item)
{
    const auto* b = static_cast<const std::uint8_t*>(item);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

inline void SetItemIdSize(void* item, std::uint16_t size)
{
    auto* b = static_cast<std::uint8_t*>(item);
    b[0] = static_cast<std::uint8_t>(size & 0xFF);
    b[1] = static_cast<std::uint8_t>(size >> 8);
}
