#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

// File names on Linux are bytes; the user sees QStrings. Names that are not
// valid UTF-8 still have to reach the same file again, so there are two
// conversions:
// - the lossless one maps every byte of an invalid sequence to the lone
//   surrogate U+DC00 + byte (0x80..0xFF), which no valid UTF-8 produces, and
//   maps it back exactly;
// - the display one shows such bytes as U+FFFD, for captions only.
QString FileNameToString(std::string_view bytes);
QByteArray FileNameFromString(const QString& name);
QString FileNameForDisplay(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// Convenience overloads for QByteArray.
inline QString FileNameToString(const QByteArray& bytes)
{
    return FileNameToString(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
inline QString FileNameForDisplay(const QByteArray& bytes)
{
    return FileNameForDisplay(
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
