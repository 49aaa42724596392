#pragma once

#include <QString>

#include <cstdint>

// The file version of a module: LS holds the third and fourth numbers, MS the
// major (high 16 bits) and minor (low 16 bits).
struct TPTModuleVersion {
    std::uint32_t LS = 0;
    std::uint32_t MS = 0;
};

// The platform answers as an NT-family system (major version 5) with common
// controls 5.81, so every behaviour switched on at 4.70 or 4.72 is on.
struct TPTPlatformVersion {
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    std::uint32_t platformId; // 1: the 95 family, 2: NT
};

const TPTPlatformVersion& PlatformVersion();

bool IsWin95();
bool IsOSR2OrGreater();
bool IsWinNT();
bool IsWin2000();
bool HasWin95Shell();

// Only the common-controls module ("comctl32.dll", any case, any folder) has a
// version here; every other file has no version resource.
bool GetModuleVersion(const QString& fileName, TPTModuleVersion& version);

// The common-controls version read at start-up: MS 0x00050051 (5.81).
TPTModuleVersion ComCtlVersion();
