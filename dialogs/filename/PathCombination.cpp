#include "dialogs/filename/PathCombination.h"

#include "dialogs/filename/TPathBuffer.h"
#include "dialogs/filename/TPathSyntax.h"

#include <QStringList>

namespace
{

std::optional<QString> Walk(const TPathSyntax& syntax, const QString& start, const QString& typed)
{
    TPathBuffer result(syntax, start);
    const QChar separator = syntax.Separator();
    for (const QString& segment : typed.split(separator)) {
        if (segment.isEmpty()) {
            if (syntax.EmptySegmentEndsWalk())
                break;
            continue;
        }
        const int levels = syntax.LevelsUp(segment);
        if (levels < 0) {
            if (!result.AppendComponent(segment))
                return std::nullopt;
            continue;
        }
        for (int i = 0; i < levels; ++i)
            result.RemoveLastComponent();
    }
    return result.Text();
}

std::optional<QString> Combine(const TPathSyntax& syntax, const QString& folder,
                               const QString& typed)
{
    switch (syntax.Kind(typed)) {
    case TPathKind::Empty:
        return QString();
    case TPathKind::Relative:
        return Walk(syntax, folder, typed);
    case TPathKind::Drive:
        return typed.size() == 2 ? typed + syntax.Separator() : typed;
    case TPathKind::Network:
        return typed;
    case TPathKind::Rooted:
        return syntax.RootedPrefix(folder) + typed;
    case TPathKind::Absolute:
        return Walk(syntax, QString(syntax.Separator()), typed);
    case TPathKind::Home:
        return Walk(syntax, syntax.HomeFolder(), typed.mid(1));
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> CombinePath(const TPathSyntax& syntax, const QString& folder,
                                   const QString& typed)
{
    const QString start = syntax.TrimFolder(folder);
    if (!FitsLengthLimits(syntax, start) || syntax.Length(typed) > syntax.MaxPathLength())
        return std::nullopt;
    std::optional<QString> result = Combine(syntax, start, typed);
    if (result && !FitsLengthLimits(syntax, *result))
        return std::nullopt;
    return result;
}

bool FitsLengthLimits(const TPathSyntax& syntax, const QString& path)
{
    if (syntax.Length(path) > syntax.MaxPathLength())
        return false;
    for (const QString& component : path.split(syntax.Separator())) {
        if (syntax.Length(component) > syntax.MaxNameLength())
            return false;
    }
    return true;
}
