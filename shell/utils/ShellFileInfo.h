#pragma once

#include "platform/FindData.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

#include <cstdint>

struct TSHFileInfo {
    int iIcon = 0;
    std::uint32_t dwAttributes = 0;
    QString szDisplayName;
    QString szTypeName;
};

// The file-information query over an absolute list (SHGFI_PIDL) or a path.
// Honoured flags: SHGFI_SYSICONINDEX (with SHGFI_SMALLICON, SHGFI_OPENICON),
// SHGFI_DISPLAYNAME, SHGFI_TYPENAME, SHGFI_ATTRIBUTES (dwAttributes in: the
// attributes asked for), SHGFI_USEFILEATTRIBUTES (a path that need not exist,
// judged by its name; fileAttributes 0x10 marks a directory).
// Returns 0 on failure; with SHGFI_SYSICONINDEX the image list (as a number),
// otherwise 1.
std::uintptr_t SHGetFileInfo(PCItemIDList idList, std::uint32_t fileAttributes, TSHFileInfo& info,
                             std::uint32_t flags);
std::uintptr_t SHGetFileInfo(const QString& path, std::uint32_t fileAttributes, TSHFileInfo& info,
                             std::uint32_t flags);
