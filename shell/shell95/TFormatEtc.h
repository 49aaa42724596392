#pragma once

#include <cstdint>

// Clipboard format numbers: the platform's file-drop format is 15; registered
// formats are numbered from 0xC000 (shell/utils/ClipboardFormats.h).
constexpr std::uint16_t CF_TEXT = 1;
constexpr std::uint16_t CF_HDROP = 15;

constexpr std::uint32_t DVASPECT_CONTENT = 1;
constexpr std::uint32_t DVASPECT_THUMBNAIL = 2;
constexpr std::uint32_t DVASPECT_ICON = 4;

// Medium types, a bit set.
constexpr std::uint32_t TYMED_NULL = 0;
constexpr std::uint32_t TYMED_HGLOBAL = 1;
constexpr std::uint32_t TYMED_FILE = 2;
constexpr std::uint32_t TYMED_ISTREAM = 4;

// Direction of EnumFormatEtc.
constexpr std::uint32_t DATADIR_GET = 1;
constexpr std::uint32_t DATADIR_SET = 2;

// A target device description; its first 32-bit word is its size in bytes,
// so it can be copied without knowing the rest.
struct TDVTargetDevice {
    std::uint32_t tdSize;
};

// One offered or requested format. The layout follows the platform's record
// (format, device, aspect, index, medium); on a 64-bit build the device
// pointer makes it 32 bytes rather than 20, which nothing here depends on.
struct TFormatEtc {
    std::uint16_t cfFormat = 0;
    TDVTargetDevice* ptd = nullptr;
    std::uint32_t dwAspect = DVASPECT_CONTENT;
    std::int32_t lindex = -1;
    std::uint32_t tymed = TYMED_HGLOBAL;
};
