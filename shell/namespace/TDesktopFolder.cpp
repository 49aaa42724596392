#include "shell/namespace/TDesktopFolder.h"

#include "platform/ErrnoMapping.h"
#include "platform/FileNameCodec.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/TComputerFolder.h"
#include "shell/namespace/TFileSystemEnum.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"

namespace
{

const QString kComputerParsingName = QStringLiteral("computer:///");
const QString kTrashParsingName = QStringLiteral("trash:///");

int rank(ItemData::Kind kind)
{
    switch (kind) {
    case ItemData::KindHome:
        return 0;
    case ItemData::KindComputer:
        return 1;
    case ItemData::KindTrash:
        return 2;
    default:
        return 3;
    }
}

bool trashExists()
{
    return XdgDirs::IsDirectory(XdgDirs::TrashFiles());
}

} // namespace

TDesktopFolder::TDesktopFolder(const QByteArray& desktopDirectory)
    : TFileSystemFolder(nullptr, desktopDirectory)
{
}

bool TDesktopFolder::ownsKind(ItemData::Kind kind) const
{
    return kind == ItemData::KindHome || kind == ItemData::KindComputer ||
           kind == ItemData::KindTrash || kind == ItemData::KindFileSystem;
}

HRESULT TDesktopFolder::bindItem(PCItemIDList item, const ItemData::View& view,
                                 TComPtr<IShellFolder>& folder)
{
    if (view.kind == ItemData::KindFileSystem)
        return TFileSystemFolder::bindItem(item, view, folder);
    const QByteArray single = ItemData::SpecialBytes(view.kind) + QByteArray(2, '\0');
    const auto absolute = reinterpret_cast<PCItemIDList>(single.constData());
    switch (view.kind) {
    case ItemData::KindHome:
        folder = TComPtr<IShellFolder>::adopt(new TFileSystemFolder(absolute, XdgDirs::Home()));
        return S_OK;
    case ItemData::KindComputer:
        folder = TComPtr<IShellFolder>::adopt(new TComputerFolder(absolute));
        return S_OK;
    case ItemData::KindTrash:
        folder =
            TComPtr<IShellFolder>::adopt(new TFileSystemFolder(absolute, XdgDirs::TrashFiles()));
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

int TDesktopFolder::compareItems(int column, const ItemData::View& a, const ItemData::View& b)
{
    const int rankA = rank(a.kind);
    const int rankB = rank(b.kind);
    if (rankA != rankB || rankA < 3)
        return rankA - rankB;
    return TFileSystemFolder::compareItems(column, a, b);
}

HRESULT TDesktopFolder::itemAttributes(const ItemData::View& view, std::uint32_t requested,
                                       std::uint32_t& attributes)
{
    std::uint32_t a = 0;
    switch (view.kind) {
    case ItemData::KindHome:
        a = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
            SFGAO_CANLINK | SFGAO_HASPROPSHEET | SFGAO_DROPTARGET;
        break;
    case ItemData::KindComputer:
        a = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_CANLINK |
            SFGAO_HASPROPSHEET;
        break;
    case ItemData::KindTrash:
        // A virtual folder that takes drops; file-system-only views leave it out.
        a = SFGAO_FOLDER | SFGAO_CANLINK | SFGAO_DROPTARGET;
        if ((requested & SFGAO_HASSUBFOLDER) && DirectoryHasSubfolder(XdgDirs::TrashFiles()))
            a |= SFGAO_HASSUBFOLDER;
        if ((requested & SFGAO_VALIDATE) && !trashExists())
            return HResultFromWin32(ERROR_PATH_NOT_FOUND);
        break;
    default:
        return TFileSystemFolder::itemAttributes(view, requested, attributes);
    }
    attributes = a & requested;
    return S_OK;
}

HRESULT TDesktopFolder::itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                                        TStrRet* name)
{
    // In the address bar Computer and Trash show their names, Home its path.
    const bool parsing = (flags & SHGDN_FORPARSING) && !(flags & SHGDN_FORADDRESSBAR);
    const bool path = flags & SHGDN_FORPARSING;
    switch (view.kind) {
    case ItemData::KindHome:
        return StrretFromString(parsing ? FileNameToString(XdgDirs::Home())
                                : path  ? FileNameForDisplay(XdgDirs::Home())
                                        : QStringLiteral("Home"),
                                name);
    case ItemData::KindComputer:
        return StrretFromString(parsing ? kComputerParsingName : QStringLiteral("Computer"), name);
    case ItemData::KindTrash:
        return StrretFromString(parsing ? kTrashParsingName : QStringLiteral("Trash"), name);
    default:
        return TFileSystemFolder::itemDisplayName(view, flags, name);
    }
}

HRESULT TDesktopFolder::GetDisplayNameOf(PCItemIDList idList, std::uint32_t flags, TStrRet* name)
{
    if (!name)
        return E_POINTER;
    if (IdListIsEmpty(idList))
        return StrretFromString((flags & SHGDN_FORPARSING) && !(flags & SHGDN_FORADDRESSBAR)
                                    ? FileNameToString(Path())
                                    : QStringLiteral("Desktop"),
                                name);
    return TFileSystemFolder::GetDisplayNameOf(idList, flags, name);
}

HRESULT TDesktopFolder::EnumObjects(HWND, std::uint32_t flags, IEnumIDList** enumList)
{
    QList<QByteArray> leading{ItemData::SpecialBytes(ItemData::KindHome),
                              ItemData::SpecialBytes(ItemData::KindComputer)};
    if (trashExists())
        leading.append(ItemData::SpecialBytes(ItemData::KindTrash));
    if (!XdgDirs::IsDirectory(Path()))
        return TFileSystemEnum::Create(QByteArray(), flags, leading, enumList);
    return enumerate(flags, leading, enumList);
}

HRESULT TDesktopFolder::ParseDisplayName(HWND, IBindCtx*, const QString& displayName,
                                         std::uint32_t* eaten, PItemIDList* idList,
                                         std::uint32_t* attributes)
{
    if (!idList)
        return E_POINTER;
    *idList = nullptr;
    TIdListPtr result;
    if (displayName.compare(kComputerParsingName, Qt::CaseInsensitive) == 0) {
        result.reset(ItemData::MakeSpecial(ItemData::KindComputer));
    } else if (displayName.compare(kTrashParsingName, Qt::CaseInsensitive) == 0) {
        if (!trashExists())
            return HResultFromWin32(ERROR_PATH_NOT_FOUND);
        result.reset(ItemData::MakeSpecial(ItemData::KindTrash));
    } else {
        QByteArray path = FileNameFromString(displayName);
        if (path == "~" || path.startsWith("~/"))
            path = XdgDirs::Home() + path.mid(1);
        if (!path.startsWith('/') || path.contains('\0'))
            return E_INVALIDARG;
        if (path.size() > NamespacePaths::kMaxPathBytes)
            return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
        const QByteArray clean = NamespacePaths::CleanAbsolute(path);
        const HRESULT hr =
            isBelowHome(clean) ? parseBelowHome(clean, result) : parseBelowComputer(clean, result);
        if (Failed(hr))
            return hr;
    }
    if (!result)
        return E_OUTOFMEMORY;
    return finishParse(displayName, result, eaten, idList, attributes);
}

bool TDesktopFolder::isBelowHome(const QByteArray& cleanPath)
{
    // With HOME unset or "/" every path would be "below home"; the volumes
    // are the better route then.
    const QByteArray home = NamespacePaths::CleanAbsolute(XdgDirs::Home());
    return home != "/" && (cleanPath == home || cleanPath.startsWith(home + '/'));
}

HRESULT TDesktopFolder::parseBelowHome(const QByteArray& cleanPath, TIdListPtr& result)
{
    const QByteArray homeItem = ItemData::SpecialBytes(ItemData::KindHome) + QByteArray(2, '\0');
    const auto homeList = reinterpret_cast<PCItemIDList>(homeItem.constData());
    const QByteArray relative =
        cleanPath.mid(NamespacePaths::CleanAbsolute(XdgDirs::Home()).size() + 1);
    if (relative.isEmpty()) {
        result.reset(CopyIdList(nullptr, homeList));
        return result ? S_OK : E_OUTOFMEMORY;
    }
    TComPtr<IShellFolder> home;
    if (const HRESULT hr = BindToObject(homeList, nullptr, IID_IShellFolder, home.putVoid());
        Failed(hr))
        return hr;
    TIdListPtr below;
    if (const HRESULT hr = home->ParseDisplayName(nullptr, nullptr, FileNameToString(relative),
                                                  nullptr, below.put(), nullptr);
        Failed(hr))
        return hr;
    result.reset(ConcatIdLists(nullptr, homeList, below.get()));
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT TDesktopFolder::parseBelowComputer(const QByteArray& cleanPath, TIdListPtr& result)
{
    const QByteArray computerItem =
        ItemData::SpecialBytes(ItemData::KindComputer) + QByteArray(2, '\0');
    const auto computerList = reinterpret_cast<PCItemIDList>(computerItem.constData());
    TComPtr<IShellFolder> computer;
    if (const HRESULT hr =
            BindToObject(computerList, nullptr, IID_IShellFolder, computer.putVoid());
        Failed(hr))
        return hr;
    TIdListPtr below;
    if (const HRESULT hr =
            static_cast<TComputerFolder*>(computer.get())->ParsePath(cleanPath, below.put());
        Failed(hr))
        return hr;
    result.reset(ConcatIdLists(nullptr, computerList, below.get()));
    return result ? S_OK : E_OUTOFMEMORY;
}

HRESULT TDesktopFolder::SetNameOf(HWND owner, PCItemIDList idList, const QString& name,
                                  std::uint32_t flags, PItemIDList* newIdList)
{
    ItemData::View view;
    if (ItemData::Read(idList, view) && view.kind != ItemData::KindFileSystem) {
        if (newIdList)
            *newIdList = nullptr;
        return HResultFromWin32(ERROR_ACCESS_DENIED);
    }
    return TFileSystemFolder::SetNameOf(owner, idList, name, flags, newIdList);
}
