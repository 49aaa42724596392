#include "dialogs/form/FileTypeFilter.h"

namespace
{

// The run from position up to the next bar or the end; position steps over
// the bar.
QString NextRun(const QString& text, qsizetype& position)
{
    qsizetype bar = text.indexOf(QLatin1Char('|'), position);
    if (bar < 0)
        bar = text.size();
    const QString run = text.mid(position, bar - position);
    position = bar + 1;
    return run;
}

} // namespace

QList<TPTFileTypeEntry> ParseFileTypeFilter(const QString& filter)
{
    QList<TPTFileTypeEntry> entries;
    qsizetype position = 0;
    while (position < filter.size()) {
        TPTFileTypeEntry entry;
        entry.description = NextRun(filter, position);
        if (position <= filter.size())
            entry.pattern = NextRun(filter, position);
        entries.append(entry);
    }
    return entries;
}
