#include "dialogs/filename/FolderNavigation.h"

#include "dialogs/filename/FileChecks.h"
#include "dialogs/filename/IPTFileNameForm.h"
#include "dialogs/filename/TPathSyntax.h"
#include "platform/EPlatformError.h"
#include "shell/namespace/Desktop.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TGUID.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/TIdListPtr.h"

TIdListPtr FolderIdList(const QString& path)
{
    TComPtr<IShellFolder> desktop;
    if (Failed(SHGetDesktopFolder(desktop.put())))
        return TIdListPtr();
    TIdListPtr idList;
    if (Failed(desktop->ParseDisplayName(nullptr, nullptr, path, nullptr, idList.put(), nullptr)))
        return TIdListPtr();
    std::uint32_t attributes = SFGAO_FOLDER;
    PCItemIDList item = idList.get();
    if (Failed(desktop->GetAttributesOf(1, &item, &attributes)) || !(attributes & SFGAO_FOLDER) ||
        FileExists(path))
        return TIdListPtr();
    TComPtr<IShellFolder> folder;
    CheckResult(desktop->BindToObject(idList.get(), nullptr, IID_IShellFolder, folder.putVoid()));
    return idList;
}

bool OpenIfFolder(IPTFileNameForm& form, const QString& path)
{
    const TIdListPtr idList = FolderIdList(path);
    if (!idList)
        return false;
    form.OpenFolder(idList.get());
    form.SelectAllFileNameText();
    return true;
}

QString ShortcutTarget(const TPathSyntax& syntax, const QString& path)
{
    if (syntax.ExtensionOf(path).compare(QLatin1String(kShortcutExtension), Qt::CaseInsensitive) !=
        0)
        return QString();
    TLinkData data;
    if (Failed(ResolveShortcut(path, data, false)))
        return QString();
    return data.Path;
}
