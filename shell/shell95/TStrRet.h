#pragma once

#include <cstdint>

constexpr std::uint32_t STRRET_WSTR = 0;   // pOleStr: UTF-16, from the shell allocator
constexpr std::uint32_t STRRET_OFFSET = 1; // uOffset: UTF-8 text at this byte offset in the list
constexpr std::uint32_t STRRET_CSTR = 2;   // cStr: inline UTF-8 text, zero-terminated

constexpr int MAX_PATH = 260;

// A display-name result. The byte texts of kinds 1 and 2 are UTF-8 here.
struct TStrRet {
    std::uint32_t uType = STRRET_CSTR;
    union {
        char16_t* pOleStr;
        std::uint32_t uOffset;
        char cStr[MAX_PATH];
    };

    TStrRet() : cStr{} {}
};
