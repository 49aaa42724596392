#pragma once

#include <QString>

#include <cstdint>

// Registered clipboard formats: one number per name for the life of the
// process, from 0xC000 up, the same name always giving the same number.
std::uint16_t RegisterClipboardFormat(const QString& name);
// The registered name of a number; empty for numbers never registered.
QString ClipboardFormatName(std::uint16_t format);

inline constexpr const char* CFSTR_SHELLIDLIST = "Shell IDList Array";

// The number of "Shell IDList Array", registered on first use.
std::uint16_t CF_SHELLIDLIST();
