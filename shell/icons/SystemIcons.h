#pragma once

#include "shell/icons/TShellImageList.h"
#include "shell/shell95/TCSIDL.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

#include <cstdint>

// System icon indexes into the shared image lists. Icons come from the icon
// theme by the MIME database's icon names, with the widget style's standard
// icons as the fallback, so headless runs still get pictures. Index 0 is the
// generic document; failures answer 0. Flags: SHGFI_SMALLICON and
// SHGFI_OPENICON matter (the index is the same in both lists).
int ShellGetIconIndex(PCItemIDList absolute, std::uint32_t flags);
int ShellGetIconIndexFromPath(const QString& path, std::uint32_t flags);
// By extension (".csv") or file name alone: the file need not exist.
int ShellGetIconIndexFromExt(const QString& extensionOrName, std::uint32_t flags);

TShellImageList* ShellGetSystemImageList(TPTShellIconSize size);

// The icon index for a theme icon name with a generic fallback name; used by
// the functions above and by controls that show icons of their own.
int SystemIconIndex(const QString& iconName, const QString& fallbackName = QString(),
                    bool open = false);
