#include "shell/namespace/TComputerFolder.h"

#include "platform/ErrnoMapping.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "platform/VolumeSpace.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/NaturalCompare.h"
#include "shell/namespace/TComputerDetails.h"
#include "shell/namespace/TFileSystemEnum.h"
#include "shell/namespace/TFileSystemFolder.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"

#include <QList>

#include <algorithm>

#include <unistd.h>

namespace VolumeInfo
{

QString DisplayName(const ItemData::View& view)
{
    if (view.text == "/")
        return QStringLiteral("File System");
    const size_t slash = view.text.rfind('/');
    return FileNameForDisplay(view.text.substr(slash + 1));
}

QString TypeText(const ItemData::View& view)
{
    switch (view.driveType) {
    case TDriveType::Removable:
        return QStringLiteral("Removable Disk");
    case TDriveType::Remote:
        return QStringLiteral("Network Drive");
    case TDriveType::CDRom:
        return QStringLiteral("CD Drive");
    case TDriveType::RamDisk:
        return QStringLiteral("RAM Disk");
    default:
        return QStringLiteral("Local Disk");
    }
}

bool Sizes(const ItemData::View& view, quint64& total, quint64& free)
{
    return VolumeSpace(QByteArray(view.text.data(), static_cast<qsizetype>(view.text.size())),
                       view.driveType == TDriveType::Remote, total, free);
}

} // namespace VolumeInfo

TComputerFolder::TComputerFolder(PCItemIDList absolute) : TShellFolderBase(absolute) {}

HRESULT TComputerFolder::EnumObjects(HWND, std::uint32_t flags, IEnumIDList** enumList)
{
    QList<QByteArray> items;
    for (const TMountEntry& volume : CurrentVolumes())
        items.append(ItemData::VolumeBytes(volume));
    return TFileSystemEnum::Create(QByteArray(), flags, items, enumList);
}

HRESULT TComputerFolder::bindItem(PCItemIDList item, const ItemData::View& view,
                                  TComPtr<IShellFolder>& folder)
{
    QByteArray single(reinterpret_cast<const char*>(item), ItemIdSize(item));
    single.append(2, '\0');
    TIdListPtr absolute(ConcatIdLists(nullptr, AbsoluteIdList(),
                                      reinterpret_cast<PCItemIDList>(single.constData())));
    if (!absolute)
        return E_OUTOFMEMORY;
    const QByteArray mountPoint(view.text.data(), static_cast<qsizetype>(view.text.size()));
    folder = TComPtr<IShellFolder>::adopt(new TFileSystemFolder(absolute.get(), mountPoint));
    return S_OK;
}

int TComputerFolder::compareItems(int column, const ItemData::View& a, const ItemData::View& b)
{
    const bool rootA = a.text == "/";
    const bool rootB = b.text == "/";
    if (rootA != rootB)
        return rootA ? -1 : 1;
    int r = 0;
    if (column == 1) {
        r = VolumeInfo::TypeText(a).compare(VolumeInfo::TypeText(b), Qt::CaseInsensitive);
    } else if (column == 2 || column == 3) {
        quint64 totalA = 0, freeA = 0, totalB = 0, freeB = 0;
        VolumeInfo::Sizes(a, totalA, freeA);
        VolumeInfo::Sizes(b, totalB, freeB);
        const quint64 x = column == 2 ? totalA : freeA;
        const quint64 y = column == 2 ? totalB : freeB;
        r = x == y ? 0 : (x < y ? -1 : 1);
    }
    return r != 0 ? r : NaturalCompare(a.text, b.text);
}

HRESULT TComputerFolder::itemAttributes(const ItemData::View& view, std::uint32_t requested,
                                        std::uint32_t& attributes)
{
    std::uint32_t a = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                      SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (view.driveType == TDriveType::Removable || view.driveType == TDriveType::CDRom)
        a |= SFGAO_REMOVABLE;
    // What is asked of a volume comes from the mount table: a stat or an
    // access check of a network mount point waits for its server.
    const std::string mountPoint(view.text);
    if (requested & SFGAO_VALIDATE) {
        const QList<TMountEntry> volumes = CurrentVolumes();
        const bool mounted = std::any_of(volumes.begin(), volumes.end(), [&](const TMountEntry& e) {
            return std::string_view(e.mountPoint.constData(), size_t(e.mountPoint.size())) ==
                   view.text;
        });
        if (!mounted)
            return HResultFromWin32(ERROR_PATH_NOT_FOUND);
    }
    if (requested & (SFGAO_READONLY | SFGAO_DROPTARGET)) {
        const bool network = view.driveType == TDriveType::Remote;
        if ((view.flags & ItemData::VolReadOnly) ||
            (!network && ::access(mountPoint.c_str(), W_OK) != 0))
            a |= SFGAO_READONLY;
        else
            a |= SFGAO_DROPTARGET;
    }
    attributes = a & requested;
    return S_OK;
}

HRESULT TComputerFolder::itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                                         TStrRet* name)
{
    if (flags & SHGDN_FORPARSING)
        return StrretFromString((flags & SHGDN_FORADDRESSBAR) ? FileNameForDisplay(view.text)
                                                              : FileNameToString(view.text),
                                name);
    return StrretFromString(VolumeInfo::DisplayName(view), name);
}

HRESULT TComputerFolder::ParsePath(const QByteArray& path, PItemIDList* idList)
{
    const QList<TMountEntry> volumes = CurrentVolumes();
    const qsizetype index = LongestMountPointFor(volumes, path);
    if (index < 0)
        return HResultFromWin32(ERROR_PATH_NOT_FOUND);
    const TMountEntry& volume = volumes[index];
    const QByteArray volumeItem = ItemData::VolumeBytes(volume);
    QByteArray relative = path.mid(volume.mountPoint.size());
    while (relative.startsWith('/'))
        relative.remove(0, 1);
    if (relative.isEmpty()) {
        *idList = ItemData::ListFromItems(volumeItem);
        return *idList ? S_OK : E_OUTOFMEMORY;
    }
    QByteArray volumeList = volumeItem;
    volumeList.append(2, '\0');
    TIdListPtr absolute(ConcatIdLists(nullptr, AbsoluteIdList(),
                                      reinterpret_cast<PCItemIDList>(volumeList.constData())));
    if (!absolute)
        return E_OUTOFMEMORY;
    TComPtr<TFileSystemFolder> folder =
        TComPtr<TFileSystemFolder>::adopt(new TFileSystemFolder(absolute.get(), volume.mountPoint));
    TIdListPtr below;
    if (const HRESULT hr = folder->ParseDisplayName(nullptr, nullptr, FileNameToString(relative),
                                                    nullptr, below.put(), nullptr);
        Failed(hr))
        return hr;
    *idList =
        ConcatIdLists(nullptr, reinterpret_cast<PCItemIDList>(volumeList.constData()), below.get());
    return *idList ? S_OK : E_OUTOFMEMORY;
}

HRESULT TComputerFolder::ParseDisplayName(HWND, IBindCtx*, const QString& displayName,
                                          std::uint32_t* eaten, PItemIDList* idList,
                                          std::uint32_t* attributes)
{
    if (!idList)
        return E_POINTER;
    *idList = nullptr;
    const QByteArray path = FileNameFromString(displayName);
    if (!path.startsWith('/') || path.contains('\0'))
        return E_INVALIDARG;
    if (path.size() > NamespacePaths::kMaxPathBytes)
        return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
    TIdListPtr result;
    if (const HRESULT hr = ParsePath(NamespacePaths::CleanAbsolute(path), result.put()); Failed(hr))
        return hr;
    return finishParse(displayName, result, eaten, idList, attributes);
}

HRESULT TComputerFolder::GetAttributesOf(std::uint32_t count, const PCItemIDList* idLists,
                                         std::uint32_t* inOut)
{
    // The volumes come from the cached mount table, which is only read again
    // when the kernel reports a mount; a changed medium or removable flag is
    // not reported, so a drive-cache flush drops it.
    if (count == 0 && inOut && (*inOut & SFGAO_VALIDATE))
        DiscardCurrentMountTable();
    return TShellFolderBase::GetAttributesOf(count, idLists, inOut);
}

HRESULT TComputerFolder::CreateViewObject(HWND, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(iid == IID_IShellDetails))
        return E_NOINTERFACE;
    *object = static_cast<IShellDetails*>(new TComputerDetails(this));
    return S_OK;
}

HRESULT TComputerFolder::SetNameOf(HWND, PCItemIDList, const QString&, std::uint32_t,
                                   PItemIDList* newIdList)
{
    if (newIdList)
        *newIdList = nullptr;
    return HResultFromWin32(ERROR_ACCESS_DENIED);
}
