#pragma once

#include <QString>
#include <QStringList>

// File masks of the shell list, in one place so that a shared wildcard
// matcher can take over later. Masks follow the usual rules: '*' any run of
// characters, '?' one character, no case distinction, and "*.*" means every
// file, with or without an extension.
namespace ShellListMasks
{

// The filter split at each ';'; empty pieces are skipped, pieces are not
// trimmed (a blank is part of the mask).
QStringList SplitFileFilter(const QString& filter);

// True for a filter that asks for nothing to be hidden: "", "*" or "*.*".
bool FilterShowsEverything(const QString& filter);

bool MaskMatches(const QString& mask, const QString& name);

} // namespace ShellListMasks
