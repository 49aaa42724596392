#pragma once

#include <cstdint>

// Attribute flags of GetAttributesOf.
constexpr std::uint32_t SFGAO_CANCOPY = 0x1;
constexpr std::uint32_t SFGAO_CANMOVE = 0x2;
constexpr std::uint32_t SFGAO_CANLINK = 0x4;
constexpr std::uint32_t SFGAO_CANRENAME = 0x10;
constexpr std::uint32_t SFGAO_CANDELETE = 0x20;
constexpr std::uint32_t SFGAO_HASPROPSHEET = 0x40;
constexpr std::uint32_t SFGAO_DROPTARGET = 0x100;
constexpr std::uint32_t SFGAO_CAPABILITYMASK = 0x177;
constexpr std::uint32_t SFGAO_LINK = 0x10000;
constexpr std::uint32_t SFGAO_SHARE = 0x20000;
constexpr std::uint32_t SFGAO_READONLY = 0x40000;
// Ghosted is how hidden items are marked (drawn cut); one bit for both.
constexpr std::uint32_t SFGAO_GHOSTED = 0x80000;
constexpr std::uint32_t SFGAO_HIDDEN = SFGAO_GHOSTED;
constexpr std::uint32_t SFGAO_DISPLAYATTRMASK = 0xF0000;
constexpr std::uint32_t SFGAO_VALIDATE = 0x1000000;
constexpr std::uint32_t SFGAO_REMOVABLE = 0x2000000;
constexpr std::uint32_t SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr std::uint32_t SFGAO_FOLDER = 0x20000000;
constexpr std::uint32_t SFGAO_FILESYSTEM = 0x40000000;
constexpr std::uint32_t SFGAO_HASSUBFOLDER = 0x80000000;
constexpr std::uint32_t SFGAO_CONTENTSMASK = 0x80000000;

// Enumeration flags of EnumObjects.
constexpr std::uint32_t SHCONTF_FOLDERS = 0x20;
constexpr std::uint32_t SHCONTF_NONFOLDERS = 0x40;
constexpr std::uint32_t SHCONTF_INCLUDEHIDDEN = 0x80;

// Display-name flags of GetDisplayNameOf / SetNameOf.
constexpr std::uint32_t SHGDN_NORMAL = 0;
constexpr std::uint32_t SHGDN_INFOLDER = 0x1;
constexpr std::uint32_t SHGDN_FOREDITING = 0x1000;
constexpr std::uint32_t SHGDN_FORADDRESSBAR = 0x4000;
constexpr std::uint32_t SHGDN_FORPARSING = 0x8000;

// Flags of SHGetFileInfo and the icon queries.
constexpr std::uint32_t SHGFI_LARGEICON = 0x0;
constexpr std::uint32_t SHGFI_SMALLICON = 0x1;
constexpr std::uint32_t SHGFI_OPENICON = 0x2;
constexpr std::uint32_t SHGFI_PIDL = 0x8;
constexpr std::uint32_t SHGFI_USEFILEATTRIBUTES = 0x10;
constexpr std::uint32_t SHGFI_DISPLAYNAME = 0x200;
constexpr std::uint32_t SHGFI_TYPENAME = 0x400;
constexpr std::uint32_t SHGFI_ATTRIBUTES = 0x800;
constexpr std::uint32_t SHGFI_SYSICONINDEX = 0x4000;

// Column alignment of a details answer.
constexpr std::int32_t LVCFMT_LEFT = 0;
constexpr std::int32_t LVCFMT_RIGHT = 1;
constexpr std::int32_t LVCFMT_CENTER = 2;
