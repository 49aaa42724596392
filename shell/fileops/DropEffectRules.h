#pragma once

#include <cstdint>

// The effect of a drop of files into a folder: Ctrl+Shift links, Ctrl copies,
// Shift moves; without modifiers the files move within one file system and
// are copied across file systems. A forced effect the source does not allow
// gives none; the default falls back to the other of copy and move, then link.
std::uint32_t ChooseDropEffect(std::uint32_t keyState, std::uint32_t allowed, bool sameVolume);
