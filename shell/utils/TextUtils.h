#pragma once

#include <QByteArray>
#include <QStringList>

// Command-line and text helpers that never split a character. Strings are
// UTF-8 bytes; a multi-byte sequence counts as one character, and no byte of
// such a sequence is a blank, a control character or a double quote.

// Bytes of the character starting at position (0-based); 1 for ASCII and for
// bytes that do not start a valid-looking sequence, never past the end.
int Utf8CharLength(const QByteArray& text, qsizetype position);

// Removes trailing bytes with a value of 32 or less.
QByteArray TrimRightDB(const QByteArray& text);

// Appends the character at the 1-based position to dest and moves the
// position past it.
void CopyCharDB(qsizetype& position, const QByteArray& source, QByteArray& dest);

// Appends the arguments of a command line to list: blanks separate them,
// double quotes group them (an empty quoted argument adds nothing, a quote
// inside an unquoted argument splits it), each is trimmed on the right.
// Arguments are file names as often as not: bytes that are not UTF-8 come
// out in the lossless form (FileNameFromString gives them back).
void ParametizeCmdLineDB(const QByteArray& commandLine, QStringList& list);
