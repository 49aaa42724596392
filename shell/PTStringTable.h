#pragma once

#include <QStringView>

#include <cstdint>
#include <span>

// One built-in text of the shell library's string table (see Uptshconsts.h).
struct TPTStringTableEntry {
    std::uint16_t Id;
    const char* Name; // the identifier code uses, e.g. "SFileExistsReplace"
    const char* Text; // UTF-8
};

// The built-in texts in ascending id order.
std::span<const TPTStringTableEntry> PTBuiltInStrings();

// The entry with that id or identifier, or nullptr.
const TPTStringTableEntry* PTFindBuiltInString(std::uint16_t id);
const TPTStringTableEntry* PTFindBuiltInString(QStringView name);
