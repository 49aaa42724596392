#pragma once

#include <QByteArray>

// Path helpers of the file operations. Paths are raw file-system bytes.
namespace FilePaths
{

QByteArray StripTrailingSlashes(const QByteArray& path); // "/" stays "/"
QByteArray BaseName(const QByteArray& path);
QByteArray Parent(const QByteArray& path); // "/" for top-level entries
QByteArray Join(const QByteArray& folder, const QByteArray& name);

// The same file-system object (device and inode), following links.
bool SameFile(const QByteArray& a, const QByteArray& b);
// True when `path` is `folder` itself or lies below it, links resolved.
bool IsInside(const QByteArray& path, const QByteArray& folder);
// Both on one file system (the item itself, not a link's target, counts).
bool SameVolume(const QByteArray& item, const QByteArray& folder);

// Free names in a folder: "a (copy).txt", "a (copy 2).txt", ...; "Link to a",
// "Link to a (2)", ...
QByteArray UniqueCopyName(const QByteArray& folder, const QByteArray& name);
QByteArray UniqueLinkName(const QByteArray& folder, const QByteArray& name);

// rename that never replaces; errno is set on failure (EEXIST when taken).
// File systems without the flag are served by a check and a plain rename.
bool RenameNoReplace(const QByteArray& from, const QByteArray& to);
// A symbolic link to target at a fresh name made from `templ` (ending in
// XXXXXX, replaced by the name used); errno is set on failure.
bool MakeTempSymlink(const QByteArray& target, QByteArray& templ);
// Removes a file, link or whole folder; false (errno set) on the first failure.
bool RemoveTree(const QByteArray& path);

} // namespace FilePaths
