#include "shell/utils/ShellFileInfo.h"

#include "platform/FileNameCodec.h"
#include "shell/icons/SystemIcons.h"
#include "shell/namespace/FileTypes.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/TComputerFolder.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTIdListArray.h"

namespace
{

QString typeNameOf(PCItemIDList absolute)
{
    if (IdListIsEmpty(absolute))
        return QStringLiteral("System Folder");
    ItemData::View view;
    if (!ItemData::Read(IdListLastItem(absolute), view))
        return QString();
    switch (view.kind) {
    case ItemData::KindHome:
        return FileTypes::TypeNameOf({}, true);
    case ItemData::KindVolume:
        return VolumeInfo::TypeText(view);
    case ItemData::KindFileSystem:
        return FileTypes::TypeNameOf(view.text, view.flags & ItemData::FsFolder);
    default:
        return QStringLiteral("System Folder");
    }
}

std::uintptr_t result(std::uint32_t flags)
{
    if (flags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<std::uintptr_t>(
            ShellGetSystemImageList((flags & SHGFI_SMALLICON) ? ptsizSmall : ptsizLarge));
    return 1;
}

} // namespace

std::uintptr_t SHGetFileInfo(PCItemIDList idList, std::uint32_t, TSHFileInfo& info,
                             std::uint32_t flags)
{
    if (!idList)
        return 0;
    if (flags & SHGFI_SYSICONINDEX)
        info.iIcon = ShellGetIconIndex(idList, flags);
    if (flags & SHGFI_DISPLAYNAME) {
        info.szDisplayName = ShellGetFriendlyNameFromIdList(nullptr, idList, ptfnNormal);
        if (info.szDisplayName.isEmpty())
            return 0;
    }
    if (flags & SHGFI_TYPENAME)
        info.szTypeName = typeNameOf(idList);
    if (flags & SHGFI_ATTRIBUTES) {
        if (IdListIsEmpty(idList)) {
            info.dwAttributes &= SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
        } else {
            TPTIdListArray view(idList);
            TComPtr<IShellFolder> parent;
            if (Failed(ShellGetFolderFromIdList(view.GoUp(1), parent.put())))
                return 0;
            PCItemIDList last = IdListLastItem(idList);
            if (Failed(parent->GetAttributesOf(1, &last, &info.dwAttributes)))
                return 0;
        }
    }
    return result(flags);
}

std::uintptr_t SHGetFileInfo(const QString& path, std::uint32_t fileAttributes, TSHFileInfo& info,
                             std::uint32_t flags)
{
    if (flags & SHGFI_PIDL)
        return 0; // a path was given
    if (flags & SHGFI_USEFILEATTRIBUTES) {
        const bool folder = fileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        const QString name = path.section(QLatin1Char('/'), -1);
        const QByteArray bytes = FileNameFromString(name);
        const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
        if (flags & SHGFI_SYSICONINDEX)
            info.iIcon = folder ? SystemIconIndex(QStringLiteral("folder"), QString(),
                                                  flags & SHGFI_OPENICON)
                                : ShellGetIconIndexFromExt(name, flags);
        if (flags & SHGFI_DISPLAYNAME)
            info.szDisplayName = FileNameForDisplay(view);
        if (flags & SHGFI_TYPENAME)
            info.szTypeName = FileTypes::TypeNameOf(view, folder);
        return result(flags);
    }
    TIdListPtr list;
    if (Failed(ShellGetIdListFromPath(path, list.put())))
        return 0;
    return SHGetFileInfo(list.get(), fileAttributes, info, flags);
}
