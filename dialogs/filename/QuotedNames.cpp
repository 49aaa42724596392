#include "dialogs/filename/QuotedNames.h"

namespace
{

enum class TState { Between, Plain, Quoted };

void AddTrimmed(QStringList& names, QString name)
{
    qsizetype end = name.size();
    while (end > 0 && name[end - 1].unicode() <= 32)
        --end;
    name.truncate(end);
    if (!name.isEmpty())
        names.append(name);
}

} // namespace

QStringList SplitQuotedNames(const QString& text)
{
    QStringList names;
    QString name;
    TState state = TState::Between;
    for (QChar c : text) {
        switch (state) {
        case TState::Between:
            if (c == u' ' || c == u'\t')
                break;
            name.clear();
            if (c == u'"') {
                state = TState::Quoted;
            } else {
                name += c;
                state = TState::Plain;
            }
            break;
        case TState::Plain:
            if (c == u'"') {
                AddTrimmed(names, name);
                name.clear();
                state = TState::Quoted;
            } else {
                name += c;
            }
            break;
        case TState::Quoted:
            if (c == u'"') {
                AddTrimmed(names, name);
                name.clear();
                state = TState::Between;
            } else {
                name += c;
            }
            break;
        }
    }
    AddTrimmed(names, name);
    return names;
}
