#include "shell/namespace/NaturalCompare.h"

#include "platform/FileNameCodec.h"

#include <QChar>

#include <cstring>

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

char32_t NextFoldedChar(std::string_view s, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return (b0 >= 'A' && b0 <= 'Z') ? b0 + 32 : b0;
    }
    int len = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    }
    bool ok = len > 0 && i + static_cast<size_t>(len) <= s.size();
    for (int k = 1; ok && k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        ok = (b & 0xC0) == 0x80;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) {
        ++i;
        return 0xDC00 + b0;
    }
    i += static_cast<size_t>(len);
    return QChar::toCaseFolded(cp);
}

int NaturalCompare(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t ia = i;
            size_t jb = j;
            while (ia < a.size() && a[ia] == '0')
                ++ia;
            while (jb < b.size() && b[jb] == '0')
                ++jb;
            size_t ea = ia;
            size_t eb = jb;
            while (ea < a.size() && isDigit(a[ea]))
                ++ea;
            while (eb < b.size() && isDigit(b[eb]))
                ++eb;
            if (ea - ia != eb - jb)
                return ea - ia < eb - jb ? -1 : 1;
            if (const int r = std::memcmp(a.data() + ia, b.data() + jb, ea - ia); r != 0)
                return r < 0 ? -1 : 1;
            i = ea;
            j = eb;
            continue;
        }
        // Most names are ASCII: fold those inline, the rest through Unicode.
        const auto ua = static_cast<unsigned char>(a[i]);
        const auto ub = static_cast<unsigned char>(b[j]);
        if ((ua | ub) < 0x80) {
            const unsigned fa = (ua >= 'A' && ua <= 'Z') ? ua + 32u : ua;
            const unsigned fb = (ub >= 'A' && ub <= 'Z') ? ub + 32u : ub;
            if (fa != fb)
                return fa < fb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const char32_t ca = NextFoldedChar(a, i);
        const char32_t cb = NextFoldedChar(b, j);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// Each character becomes its folded code point in UTF-8, whose byte order is
// the code points' order and where no character's bytes begin another's. A run of digits
// becomes '0' (against any other character a digit compares the same
// whichever it is, as no other character lies between '0' and '9'), then the
// run's length without leading zeros in two bytes and those digits, so two
// runs compare as numbers. A zero byte ends the characters (the shorter name
// first), and the raw bytes break the last tie.
void AppendNaturalSortKey(std::string_view name, std::string& key)
{
    size_t i = 0;
    while (i < name.size()) {
        if (isDigit(name[i])) {
            size_t start = i;
            while (start < name.size() && name[start] == '0')
                ++start;
            size_t end = start;
            while (end < name.size() && isDigit(name[end]))
                ++end;
            const size_t digits = end - start;
            AppendUtf8(key, U'0');
            key.push_back(static_cast<char>((digits >> 8) & 0xFF));
            key.push_back(static_cast<char>(digits & 0xFF));
            key.append(name.data() + start, digits);
            i = end;
            continue;
        }
        AppendUtf8(key, NextFoldedChar(name, i));
    }
    AppendUtf8(key, 0);
    key.append(name.data(), name.size());
}
