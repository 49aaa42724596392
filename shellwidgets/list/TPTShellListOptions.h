#pragma once

#include <cstdint>

// The options of the shell file list, in their stored order; a set is the
// 16-bit value with bit n for option n.
enum TPTShellListOption : std::uint8_t {
    ptsloAutoFill = 0,
    ptsloNonFilesystemAncestors = 1,
    ptsloDesignInteractive = 2,
    ptsloDefaultKeyHandling = 3,
    ptsloContextMenus = 4,
    ptsloDontChangeFolder = 5,
    ptsloDontGoBelowBase = 6,
    ptsloDynamicRefresh = 7,
    ptsloHideFoldersWhenLinkedToTree = 8,
    ptsloOleDrag = 9,
    ptsloOleDrop = 10,
    ptsloFolderContextMenu = 11,
    ptsloShowHidden = 12,
};

class TPTShellListOptions
{
  public:
    constexpr TPTShellListOptions() = default;
    constexpr explicit TPTShellListOptions(std::uint16_t bits) : m_bits(bits) {}

    // AutoFill, NonFilesystemAncestors, DefaultKeyHandling, ContextMenus,
    // DynamicRefresh, OleDrag, OleDrop, FolderContextMenu, ShowHidden.
    static constexpr TPTShellListOptions Default() { return TPTShellListOptions(0x1E9B); }

    constexpr bool Has(TPTShellListOption option) const { return m_bits & (1u << option); }
    constexpr TPTShellListOptions With(TPTShellListOption option, bool on = true) const
    {
        return TPTShellListOptions(on ? std::uint16_t(m_bits | (1u << option))
                                      : std::uint16_t(m_bits & ~(1u << option)));
    }
    constexpr std::uint16_t Bits() const { return m_bits; }
    constexpr bool operator==(const TPTShellListOptions&) const = default;

  private:
    std::uint16_t m_bits = 0;
};
