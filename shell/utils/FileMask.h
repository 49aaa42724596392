#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <string_view>

// The file masks of the file list ("*.txt;*.csv"), matched against the names'
// bytes: `*` any run of characters (none included), `?` exactly one
// character, everything else itself without regard to case (Unicode case
// folding); "*.*" matches every name, with or without an extension. A
// character is a UTF-8 sequence, or a single byte where the name
// is not UTF-8, so names that are not UTF-8 are matched too.
bool FileMaskMatches(std::string_view mask, std::string_view name);

// The masks of a filter text: split at each ';', empty pieces left out, the
// others kept as written (a leading blank is part of its mask). The masks are
// bytes in the lossless form of FileNameFromString.
QList<QByteArray> SplitFileFilter(const QString& filter);

// Whether any of the masks matches the name.
bool AnyFileMaskMatches(const QList<QByteArray>& masks, std::string_view name);
