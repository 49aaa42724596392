#pragma once

#include "platform/FindData.h"
#include "platform/ResultCodes.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

#include <cstdint>

// Shell links are desktop-entry files of type Link (".desktop"): the target
// is the URL key, the other fields map to keys of the entry (Comment, Icon,
// Path, and X-Veldmark-* for the ones the format has no key for).

enum TLinkDataOption : std::uint8_t {
    ldoUseDesc,
    ldoUseArgs,
    ldoUseIcon,
    ldoUseWorkDir,
    ldoUseHotKey,
    ldoUseShowCmd
};
constexpr std::uint8_t LinkOption(TLinkDataOption o) { return std::uint8_t(1u << o); }
constexpr std::uint8_t kAllLinkOptions = 0x3F;

struct TLinkData {
    QString Path;
    std::uint8_t Options = 0; // LinkOption bits: which optional fields CreateShortcut writes
    QString Description;
    QString Arguments;
    QString IconLocation;
    std::int32_t IconIndex = 0;
    QString WorkingDirectory;
    std::int32_t ShowCmd = 0;
    std::uint16_t HotKey = 0;
    bool ResolveNoUI = false;
    PItemIDList IdList = nullptr; // out; the caller frees it through the shell allocator
    TWin32FindData FindData;      // out
};

// The platform's extension of link files, compared without regard to case.
inline constexpr const char* kShortcutExtension = ".desktop";

HRESULT CreateShortcut(const QString& linkFileName, const TLinkData& data);
// A link to target, described by the target's path, working in its folder.
HRESULT CreateQuickShortcut(const QString& linkFileName, const QString& target);
// Reads every field back. A missing target still resolves to its path; a file
// that is not a link entry fails with ERROR_BAD_FORMAT.
HRESULT ResolveShortcut(const QString& linkFileName, TLinkData& data, bool wantIdList);
