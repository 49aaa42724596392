#include "dialogs/form/FileNameCompletion.h"

namespace FileNameCompletion
{

namespace
{

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// candidate below folder: the rest of it, else the candidate itself.
QString Below(const QString& candidate, const QString& folder)
{
    const QString prefix = WithSlash(folder);
    return candidate.startsWith(prefix) ? candidate.mid(prefix.size()) : candidate;
}

bool IsHomeRelative(const QString& typed)
{
    return typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/"));
}

} // namespace

QString AbsoluteTyped(const QString& typed, const QString& shownFolder, const QString& home)
{
    if (typed.startsWith(QLatin1Char('/')))
        return typed;
    if (IsHomeRelative(typed))
        return WithSlash(home) + typed.mid(2);
    return WithSlash(shownFolder) + typed;
}

QString TextForCandidate(const QString& typed, const QString& candidate, bool isFolder,
                         const QString& shownFolder, const QString& home)
{
    QString text;
    if (typed.startsWith(QLatin1Char('/')))
        text = candidate;
    else if (IsHomeRelative(typed))
        text = QLatin1String("~/") + Below(candidate, home);
    else
        text = Below(candidate, shownFolder);
    if (isFolder && !text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return text;
}

} // namespace FileNameCompletion
