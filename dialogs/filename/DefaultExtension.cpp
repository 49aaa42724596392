#include "dialogs/filename/DefaultExtension.h"

#include "dialogs/filename/TPathSyntax.h"
#include "platform/Registry.h"
#include "shell/utils/IdList.h"

namespace
{

QString PatternExtension(const TPathSyntax& syntax, const QString& pattern)
{
    const QString first = pattern.section(u';', 0, 0).trimmed();
    const QString extension = syntax.ExtensionOf(first);
    if (extension.contains(u'*') || extension.contains(u'?'))
        return QString();
    return extension;
}

QString WithExtension(const QString& path, const QString& extensionWithoutDot)
{
    return EnsureTrailingCharDB(path, u'.') + extensionWithoutDot;
}

} // namespace

TDefaultExtension ApplyDefaultExtension(const TPathSyntax& syntax, const QString& path,
                                        const QString& defaultExt, const QString& filterPattern)
{
    TDefaultExtension result;
    const QString typedExtension = syntax.ExtensionOf(path);
    if (typedExtension.size() > 1 && IsRegisteredFileType(typedExtension)) {
        result.path = path;
    } else {
        const QString patternExtension = PatternExtension(syntax, filterPattern);
        if (patternExtension.isEmpty())
            result.path = WithExtension(path, defaultExt);
        else if (typedExtension.compare(patternExtension, Qt::CaseInsensitive) == 0)
            result.path = path;
        else
            result.path = WithExtension(path, patternExtension.mid(1));
    }
    result.extensionDifferent =
        syntax.ExtensionOf(result.path).compare(u'.' + defaultExt, Qt::CaseInsensitive) != 0;
    return result;
}

bool IsRegisteredFileType(const QString& extension)
{
    return TRegistryKey::Open(TRegistryRoot::ClassesRoot, extension).has_value();
}
