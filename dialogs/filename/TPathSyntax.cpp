#include "dialogs/filename/TPathSyntax.h"

qsizetype TPathSyntax::ExtensionStart(const QString& path) const
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= NamePartStart(path) ? dot : -1;
}

QString TPathSyntax::NamePart(const QString& path) const
{
    return path.mid(NamePartStart(path));
}

QString TPathSyntax::FolderPart(const QString& path) const
{
    return path.left(NamePartStart(path));
}

QString TPathSyntax::ExtensionOf(const QString& path) const
{
    const qsizetype dot = ExtensionStart(path);
    return dot < 0 ? QString() : path.mid(dot);
}
