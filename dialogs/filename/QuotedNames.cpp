#include "dialogs/filename/QuotedNames.h"

#include <utility>

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
            if (c == u'"') {
                state = TState::Quoted;
            } else {
                name += c;
                state = TState::Plain;
            }
            break;
        case TState::Plain:
        case TState::Quoted:
            if (c != u'"') {
                name += c;
                break;
            }
            // A quote ends either kind of name; after a plain one it opens a
            // quoted one.
            AddTrimmed(names, std::exchange(name, QString()));
            state = state == TState::Plain ? TState::Quoted : TState::Between;
            break;
        }
    }
    AddTrimmed(names, name);
    return names;
}
