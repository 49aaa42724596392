#include "shell/utils/ShellServices.h"

#include "platform/FileNameCodec.h"
#include "shell/namespace/Desktop.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/IdList.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"

#include <QDir>

HRESULT ShellGetFolderFromIdList(PCItemIDList idList, IShellFolder** folder)
{
    if (!folder)
        return E_POINTER;
    *folder = nullptr;
    TComPtr<IShellFolder> desktop;
    if (const HRESULT hr = SHGetDesktopFolder(desktop.put()); Failed(hr))
        return hr;
    if (IdListIsEmpty(idList)) {
        *folder = desktop.detach();
        return S_OK;
    }
    return desktop->BindToObject(idList, nullptr, IID_IShellFolder,
                                 reinterpret_cast<void**>(folder));
}

HRESULT ShellGetIdListFromPath(const QString& path, PItemIDList* idList)
{
    if (!idList)
        return E_POINTER;
    *idList = nullptr;
    TComPtr<IShellFolder> desktop;
    if (const HRESULT hr = SHGetDesktopFolder(desktop.put()); Failed(hr))
        return hr;
    std::uint32_t eaten = 0;
    return desktop->ParseDisplayName(nullptr, nullptr, path, &eaten, idList, nullptr);
}

bool SHGetPathFromIDList(PCItemIDList idList, QString& path)
{
    QByteArray bytes;
    if (!NamespacePaths::PathOfIdList(idList, bytes)) {
        path.clear();
        return false;
    }
    path = FileNameToString(bytes);
    return true;
}

QString ShellGetPathFromIdList(PCItemIDList idList)
{
    QString path;
    SHGetPathFromIDList(idList, path);
    return path;
}

QString ShellGetDisplayPathName(const QString& path)
{
    TIdListPtr list;
    if (Failed(ShellGetIdListFromPath(path, list.put())))
        return QString();
    return ShellGetPathFromIdList(list.get());
}

namespace
{

HRESULT listFromDirectory(const QByteArray& directory, PItemIDList* idList)
{
    return ShellGetIdListFromPath(FileNameToString(directory), idList);
}

} // namespace

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, PItemIDList* idList)
{
    if (!idList)
        return E_POINTER;
    *idList = nullptr;
    switch (csidl) {
    case csidlDesktop:
        *idList = CopyIdList(nullptr, nullptr);
        return *idList ? S_OK : E_OUTOFMEMORY;
    case csidlPersonal:
        return listFromDirectory(XdgDirs::Documents(), idList);
    case csidlSendTo: {
        const QByteArray sendTo = XdgDirs::SendTo();
        QDir().mkpath(FileNameToString(sendTo));
        return listFromDirectory(sendTo, idList);
    }
    case csidlBitBucket:
        return ShellGetIdListFromPath(QStringLiteral("trash:///"), idList);
    case csidlDesktopDirectory:
        return listFromDirectory(XdgDirs::Desktop(), idList);
    case csidlDrives:
        *idList = ItemData::MakeSpecial(ItemData::KindComputer);
        return *idList ? S_OK : E_OUTOFMEMORY;
    case csidlTemplates:
        return listFromDirectory(XdgDirs::Templates(), idList);
    case csidlAppData:
        return listFromDirectory(XdgDirs::ConfigHome(), idList);
    default:
        return E_INVALIDARG;
    }
}

HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, PItemIDList* idList)
{
    return SHGetSpecialFolderLocation(owner, static_cast<int>(csidl) & 0x7F, idList);
}

QString ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl)
{
    TIdListPtr list;
    if (Failed(ShellGetSpecialFolderIdList(owner, csidl, list.put())))
        return QString();
    return ShellGetPathFromIdList(list.get());
}

TCSIDL ShellFindCSIDLFromIdList(PCItemIDList idList)
{
    for (int csidl = csidlDesktop; csidl <= csidlNone; ++csidl) {
        TIdListPtr special;
        if (Failed(SHGetSpecialFolderLocation(nullptr, csidl, special.put())))
            continue;
        if (CompareAbsIdLists(idList, special.get()) == 0)
            return static_cast<TCSIDL>(csidl);
    }
    return csidlNone;
}

QString ShellGetFriendlyNameFromIdList(IShellFolder* folder, PCItemIDList idList,
                                       TPTFriendlyNameFlags flags)
{
    if (!folder) {
        TComPtr<IShellFolder> desktop;
        if (Failed(SHGetDesktopFolder(desktop.put())))
            return QString();
        return ShellGetFriendlyNameFromIdList(desktop.get(), idList, flags);
    }
    static constexpr std::uint32_t kFlags[] = {SHGDN_NORMAL, SHGDN_INFOLDER, SHGDN_FORPARSING};
    TStrRet name;
    if (Failed(folder->GetDisplayNameOf(idList, kFlags[flags], &name)))
        return QString();
    QString result = StrretToString(idList, name);
    StrretFree(name);
    return result;
}
