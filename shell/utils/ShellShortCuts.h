#pragma once

#include <QString>

#include <cstdint>

class QKeyEvent;

// A keyboard shortcut as one 16-bit code: the virtual-key code in the low
// byte plus these modifier bits.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// "Ctrl+A", "Del", "F5", "Shift+#200" ...
QString ShortCutToText(TShortCut shortCut);
// Accepts "Shift+", "^" or "Ctrl+", "Alt+" prefixes in any case and order;
// 0 when the key name is empty or unknown.
TShortCut TextToShortCut(const QString& text);

// The same code for a key press, so controls can compare it with the table.
TShortCut ShortCutFromKeyEvent(const QKeyEvent& event);

// The seven keys of the tree and list controls, in table order.
enum class TShKey { SelectAll, Delete, Copy, Cut, Paste, Refresh, Edit };

// The shortcut of one of the seven keys, parsed from its text in the string
// table (so a replacement table changes the keys) when first asked for.
TShortCut ShellShortCut(TShKey key);
