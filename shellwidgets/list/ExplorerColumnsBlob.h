#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Default widths of the four standard list columns: five 16-bit little-endian
// widths (200, 60, 100, 120, 50), whose start the user's "DirectoryCols"
// registry value (at most 22 bytes) may overwrite.
struct TExplorerColumnsBlob {
    std::array<std::uint8_t, 22> bytes{};
    std::uint32_t size = 0;

    int Width(int index) const
    {
        return bytes[std::size_t(2 * index)] | (bytes[std::size_t(2 * index + 1)] << 8);
    }
    // The first size / 2 widths are the same in both.
    bool SameWidthsAs(const TExplorerColumnsBlob& other) const;

    // The built-in widths with the registry value laid over them.
    static TExplorerColumnsBlob ReadDefault();
};

// The blob the last list built its default columns from (size 0 before that),
// shared by every list of the process. User-interface thread only.
TExplorerColumnsBlob& LastExplorerColumnsBlob();
