#include "shellwidgets/list/ShellListMasks.h"

namespace ShellListMasks
{

QStringList SplitFileFilter(const QString& filter)
{
    return filter.split(u';', Qt::SkipEmptyParts);
}

bool FilterShowsEverything(const QString& filter)
{
    return filter.isEmpty() || filter == QLatin1String("*") || filter == QLatin1String("*.*");
}

bool MaskMatches(const QString& mask, const QString& name)
{
    if (mask == QLatin1String("*.*"))
        return true;
    // Greedy match with one back-tracking point: the last '*' seen.
    qsizetype m = 0, n = 0, starM = -1, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() &&
                   (mask[m] == u'?' || mask[m].toCaseFolded() == name[n].toCaseFolded())) {
            ++m;
            ++n;
        } else if (starM >= 0) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

} // namespace ShellListMasks
