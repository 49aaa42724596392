#pragma once

#include <cstdint>

// The options of the folder tree, bit 0 first.
enum TPTShellTreeOption : std::uint32_t {
    ptstoAutoFill = 1u << 0,           // fills itself when created, loaded or re-based
    ptstoVirtualFolders = 1u << 1,     // objects outside the file system too
    ptstoDesignInteractive = 1u << 2,  // no form designer here: kept for the bit's place
    ptstoDefaultKeyHandling = 1u << 3, // F2, F5, Ctrl+X/C/V, Del
    ptstoContextMenus = 1u << 4,       // the shell's context menu
    ptstoDynamicRefresh = 1u << 5,     // filled folders are watched for changes
    ptstoIncludeNonFolders = 1u << 6,  // files are shown too
    ptstoOleDrag = 1u << 7,            // nodes can be dragged out
    ptstoOleDrop = 1u << 8,            // the tree accepts drops
    ptstoShowHidden = 1u << 9,         // hidden objects are shown
};

using TPTShellTreeOptions = std::uint32_t;

// All but ptstoDesignInteractive and ptstoIncludeNonFolders.
constexpr TPTShellTreeOptions kDefaultShellTreeOptions = 0x3BB;
