#pragma once

#include "shell/shell95/TItemIDList.h"

#include <QByteArray>

#include <string_view>

namespace NamespacePaths
{

// The file-system path of an absolute list, worked out from the items alone
// (no system call): the desktop is the desktop directory, Home $HOME, a volume
// its mount point, an entry its parent's path and name. False for objects
// without a path (Computer, Trash) and for malformed lists.
bool PathOfIdList(PCItemIDList absolute, QByteArray& path);

QByteArray Join(const QByteArray& dir, std::string_view name);

// Removes empty and "." segments and resolves ".." textually ("/.." stays
// "/"). The path must be absolute; the result has no trailing slash.
QByteArray CleanAbsolute(const QByteArray& path);

// Longest path the namespace accepts (the kernel's PATH_MAX, terminator excluded).
constexpr int kMaxPathBytes = 4095;

} // namespace NamespacePaths
