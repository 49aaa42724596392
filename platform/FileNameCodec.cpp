#include "platform/FileNameCodec.h"

namespace
{

// Length of the valid UTF-8 sequence at s[i] and its code point, or 0 when
// the byte there does not start one (overlong forms and surrogates included).
int decodeSequence(std::string_view s, size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    int len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + static_cast<size_t>(len) > s.size())
        return 0;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

QString decode(std::string_view bytes, bool lossless)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp;
        const int len = decodeSequence(bytes, i, cp);
        if (len == 0) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            out.append(lossless ? QChar(static_cast<char16_t>(0xDC00 + b))
                                : QChar(QChar::ReplacementCharacter));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out.append(QChar(QChar::highSurrogate(cp)));
            out.append(QChar(QChar::lowSurrogate(cp)));
        } else {
            out.append(QChar(static_cast<char16_t>(cp)));
        }
        i += static_cast<size_t>(len);
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp;
        const int len = decodeSequence(bytes, i, cp);
        if (len == 0)
            return false;
        i += static_cast<size_t>(len);
    }
    return true;
}

QString FileNameToString(std::string_view bytes)
{
    return decode(bytes, true);
}

QString FileNameForDisplay(std::string_view bytes)
{
    return decode(bytes, false);
}

QByteArray FileNameFromString(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = name.at(i).unicode();
        if (u >= 0xDC80 && u <= 0xDCFF) {
            out.append(static_cast<char>(u - 0xDC00));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n &&
                   QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(u, name.at(i + 1).unicode()));
            ++i;
        } else if (QChar::isSurrogate(u)) {
            AppendUtf8(out, QChar::ReplacementCharacter);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}
