#pragma once

#include <QString>

#include <optional>

class TPathSyntax;

// The path a typed name stands for when the dialog shows folder:
// - a relative name is walked segment by segment from the folder, dot
//   segments going up (never above the root);
// - Windows: a drive letter with its colon alone is that drive's root, other
//   drive paths and network paths stand as typed, a rooted name gets the
//   folder's drive or share in front;
// - POSIX: an absolute path is walked from "/", "~" and "~/x" from the home
//   folder.
// Empty for an empty name; nullopt when the folder, the name or the result
// is longer than the file system holds (nothing is cut).
std::optional<QString> CombinePath(const TPathSyntax& syntax, const QString& folder,
                                   const QString& typed);

// Whether the path and each of its components are within the limits.
bool FitsLengthLimits(const TPathSyntax& syntax, const QString& path);
