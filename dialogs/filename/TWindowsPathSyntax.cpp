#include "dialogs/filename/TWindowsPathSyntax.h"

namespace
{

// The length of "\\server\share" at the start of a network path.
qsizetype NetworkRootLength(const QString& path)
{
    const qsizetype serverEnd = path.indexOf(u'\\', 2);
    if (serverEnd < 0)
        return path.size();
    const qsizetype shareEnd = path.indexOf(u'\\', serverEnd + 1);
    return shareEnd < 0 ? path.size() : shareEnd;
}

} // namespace

TPathKind TWindowsPathSyntax::Kind(const QString& path) const
{
    const qsizetype n = path.size();
    if (n >= 2 && path[1] == u':')
        return TPathKind::Drive;
    if (n >= 3 && path[0] == u'\\' && path[1] == u'\\')
        return TPathKind::Network;
    if (n >= 1 && path[0] == u'\\')
        return TPathKind::Rooted;
    return n >= 1 ? TPathKind::Relative : TPathKind::Empty;
}

bool TWindowsPathSyntax::PassesCharacterCheck(const QString& text) const
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'/' || c == u'<' || c == u'>' || c == u'|')
            return false;
        if (i >= 2 && c == u'\\' && text[i - 1] == u'\\')
            return false;
    }
    return true;
}

int TWindowsPathSyntax::LevelsUp(const QString& segment) const
{
    if (segment.isEmpty())
        return -1;
    for (QChar c : segment) {
        if (c != u'.')
            return -1;
    }
    return int(segment.size()) - 1;
}

qsizetype TWindowsPathSyntax::RootLength(const QString& path) const
{
    switch (Kind(path)) {
    case TPathKind::Drive:
        return path.size() >= 3 && path[2] == u'\\' ? 3 : 2;
    case TPathKind::Network:
        return NetworkRootLength(path);
    case TPathKind::Rooted:
        return 1;
    default:
        return 0;
    }
}

QString TWindowsPathSyntax::TrimFolder(const QString& folder) const
{
    if (folder.size() > 2 && folder.endsWith(u'\\'))
        return folder.chopped(1);
    return folder;
}

QString TWindowsPathSyntax::RootedPrefix(const QString& folder) const
{
    switch (Kind(folder)) {
    case TPathKind::Drive:
        return folder.left(2);
    case TPathKind::Network:
        return folder.left(NetworkRootLength(folder));
    default:
        return QString();
    }
}

qsizetype TWindowsPathSyntax::NamePartStart(const QString& path) const
{
    for (qsizetype i = path.size(); i > 0; --i) {
        if (path[i - 1] == u'\\' || path[i - 1] == u':')
            return i;
    }
    return 0;
}
