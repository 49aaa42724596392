#pragma once

#include <QString>

#include <cstddef>

// Private-profile (INI) files as the settings code expects them:
// - "[Section]" header lines and "Key=Value" lines; section and key names
//   match without regard to case, the first match wins; blanks around names
//   and values are ignored, and one pair of matching quotes around a value is
//   dropped. Lines starting with ';' or '#' are comments.
// - A missing or unreadable file, anything but a regular file (a pipe is
//   never waited on), or a missing section or key, yields the default.
//   Files are treated as bytes, so binary or malformed content is read
//   line by line like any other and never stops a read.
// - A write replaces the value of the key, or adds the key at the end of its
//   section, or adds the section at the end of the file, and leaves every
//   other line byte for byte where it was. The file is rewritten through a
//   temporary file and a rename, so it is never left half-written.
// Files above kMaxProfileFileSize are not read (defaults) and not rewritten:
// every read parses the whole file, and a settings file holds a few hundred
// bytes, so a larger one would only stall start-up. Writes may take a file
// up to kProfileHeadroom past that bound (and no further), and such a file
// is still read and rewritten: a file just within the bound must take a
// program's own settings and keep them, not lose the last ones and then be
// locked out for good.

namespace platform
{

constexpr qint64 kMaxProfileFileSize = 1024 * 1024;
constexpr qint64 kProfileHeadroom = 64 * 1024;

// Copies the value (or the default) into buffer as zero-terminated UTF-8,
// cut to at most size - 1 bytes without splitting a character. Returns the
// number of bytes copied, without the terminating zero.
std::size_t GetPrivateProfileString(const QString& section, const QString& key,
                                    const QString& defaultValue, char* buffer, std::size_t size,
                                    const QString& fileName);

// Creates the file, section or key as needed. Line breaks in the value become
// spaces, since the format has no way to hold them. Returns false when the
// file could not be read or written; the old file is then left as it was.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName);

} // namespace platform
