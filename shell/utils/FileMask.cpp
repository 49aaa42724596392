#include "shell/utils/FileMask.h"

#include "platform/FileNameCodec.h"
#include "shell/namespace/NaturalCompare.h"

bool FileMaskMatches(std::string_view mask, std::string_view name)
{
    // "*.*" is every file, with or without an extension.
    if (mask == "*.*")
        return true;
    // Greedy, going back only to the last star: linear for one star,
    // bounded by mask x name characters for several.
    size_t m = 0;
    size_t n = 0;
    size_t starMask = std::string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
            continue;
        }
        if (m < mask.size()) {
            size_t nextM = m;
            size_t nextN = n;
            const bool any = mask[m] == '?';
            const char32_t wanted = any ? 0 : NextFoldedChar(mask, nextM);
            const char32_t got = NextFoldedChar(name, nextN);
            if (any)
                ++nextM;
            if (any || wanted == got) {
                m = nextM;
                n = nextN;
                continue;
            }
        }
        if (starMask == std::string_view::npos)
            return false;
        // The last star takes one more character of the name.
        m = starMask;
        NextFoldedChar(name, starName);
        n = starName;
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

QList<QByteArray> SplitFileFilter(const QString& filter)
{
    QList<QByteArray> masks;
    for (const QString& piece : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        masks.append(FileNameFromString(piece));
    return masks;
}

bool AnyFileMaskMatches(const QList<QByteArray>& masks, std::string_view name)
{
    for (const QByteArray& mask : masks)
        if (FileMaskMatches(std::string_view(mask.constData(), size_t(mask.size())), name))
            return true;
    return false;
}
