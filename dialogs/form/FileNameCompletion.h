#pragma once

#include <QString>

// The path arithmetic of completing the file-name box: the user types names
// relative to the folder the list shows, absolute paths, or paths below the
// home folder as "~/..."; the completer works on absolute paths.
namespace FileNameCompletion
{

// The absolute path that the typed text stands for ("" stays the folder).
QString AbsoluteTyped(const QString& typed, const QString& shownFolder, const QString& home);

// What the box shows for a completion: the candidate's absolute path written
// the way the user started typing (relative, "~/" or absolute), with a
// trailing slash for a folder so that typing goes on inside it.
QString TextForCandidate(const QString& typed, const QString& candidate, bool isFolder,
                         const QString& shownFolder, const QString& home);

} // namespace FileNameCompletion
