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

// Appends the code point's UTF-8 bytes (a lone surrogate gets the three bytes
// its number would) to a byte string (QByteArray, std::string).
template <typename Bytes>
void AppendUtf8(Bytes& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

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
