#pragma once

#include <QString>
#include <QStringList>

// Positional message formatting: "%1" ... "%99" take strings[0] ... strings[98],
// in whatever order the format names them, so a translation can reorder them.
// Also understood: "%1!s!"-style conversions with a printf string conversion
// ("%1!-10s!", "%2!.3s!"), "%%" a percent sign, "%n" a line feed, "%t" a tab,
// "% ", "%." and "%!" the character itself, and "%0" ending the output there.
// An insert beyond the strings given is kept as written.
//
// An empty format gives an empty result; a malformed "!...!" conversion gives an
// empty result. More than 50 strings throw EPlatformError (E_FAIL).
QString FormatStrPos(const QString& format, const QStringList& strings);
