#pragma once

#include "dialogs/components/PTDialogTypes.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// The dialog components' state stream: little-endian fields, no header.
//   0  4  FormWidth, signed
//   4  4  FormHeight, signed
//   8  1  FormWindowState (0 normal, 1 minimized, 2 maximized)
// and for a file dialog also
//   9  1  1 when the folder tree is shown (ptofShowTree), else 0
//  10  4  FormSplitterPos, signed
// The stream comes from the registry store, which anyone can edit, so
// decoding refuses what no component writes and clamps sizes to the range a
// component can use.

inline constexpr int kDialogStateSize = 9;
inline constexpr int kFileDlgStateSize = 14;
// Larger than any screen; a window system refuses windows beyond it.
inline constexpr std::int32_t kMaxFormExtent = 32767;

struct TPTDialogState {
    std::int32_t FormWidth = -1;
    std::int32_t FormHeight = -1;
    TWindowState FormWindowState = wsNormal;
};

struct TPTFileDlgState {
    TPTDialogState Dialog;
    bool ShowTree = false;
    std::int32_t FormSplitterPos = -1;
};

QByteArray EncodeDialogState(const TPTDialogState& state);
QByteArray EncodeFileDlgState(const TPTFileDlgState& state);

// Reads the first bytes of the given ones; empty when there are too few,
// the window state is not 0 to 2 or the tree flag not 0 or 1. Negative sizes
// become -1 (not set), sizes above kMaxFormExtent become kMaxFormExtent.
std::optional<TPTDialogState> DecodeDialogState(QByteArrayView bytes);
std::optional<TPTFileDlgState> DecodeFileDlgState(QByteArrayView bytes);
