#include "dialogs/filename/TPosixPathSyntax.h"

#include "platform/FileNameCodec.h"
#include "shell/namespace/XdgDirs.h"

TPathKind TPosixPathSyntax::Kind(const QString& path) const
{
    if (path.isEmpty())
        return TPathKind::Empty;
    if (path == u"~" || path.startsWith(u"~/"))
        return TPathKind::Home;
    return path[0] == u'/' ? TPathKind::Absolute : TPathKind::Relative;
}

qsizetype TPosixPathSyntax::Length(const QString& text) const
{
    return FileNameFromString(text).size();
}

bool TPosixPathSyntax::PassesCharacterCheck(const QString& text) const
{
    return CanHoldCharacters(text);
}

bool TPosixPathSyntax::CanHoldCharacters(const QString& path) const
{
    return !path.contains(QChar(0));
}

int TPosixPathSyntax::LevelsUp(const QString& segment) const
{
    if (segment == u".")
        return 0;
    return segment == u".." ? 1 : -1;
}

qsizetype TPosixPathSyntax::RootLength(const QString& path) const
{
    return path.startsWith(u'/') ? 1 : 0;
}

QString TPosixPathSyntax::TrimFolder(const QString& folder) const
{
    QString trimmed = folder;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    return trimmed;
}

QString TPosixPathSyntax::HomeFolder() const
{
    return FileNameToString(XdgDirs::Home());
}

qsizetype TPosixPathSyntax::NamePartStart(const QString& path) const
{
    return path.lastIndexOf(u'/') + 1;
}

qsizetype TPosixPathSyntax::ExtensionStart(const QString& path) const
{
    const qsizetype start = NamePartStart(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > start ? dot : -1;
}
