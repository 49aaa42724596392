#pragma once

#include "platform/ResultCodes.h"

#include <cstdint>

// Drop effects, a bit set; the scroll bit only ever travels with the others.
constexpr std::uint32_t DROPEFFECT_NONE = 0;
constexpr std::uint32_t DROPEFFECT_COPY = 1;
constexpr std::uint32_t DROPEFFECT_MOVE = 2;
constexpr std::uint32_t DROPEFFECT_LINK = 4;
constexpr std::uint32_t DROPEFFECT_SCROLL = 0x80000000u;

// Key state of the drag-and-drop calls.
constexpr std::uint32_t MK_LBUTTON = 0x1;
constexpr std::uint32_t MK_RBUTTON = 0x2;
constexpr std::uint32_t MK_SHIFT = 0x4;
constexpr std::uint32_t MK_CONTROL = 0x8;
constexpr std::uint32_t MK_MBUTTON = 0x10;
constexpr std::uint32_t MK_ALT = 0x20;
constexpr std::uint32_t MK_BUTTONS = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);

// A point in screen coordinates.
struct TPointL {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
