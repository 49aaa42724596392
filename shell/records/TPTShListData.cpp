#include "shell/records/TPTShListData.h"

#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/Uptshconsts.h"
#include "shell/namespace/FileTypes.h"
#include "shell/namespace/ItemData.h"
#include "shell/records/IPTShellListOwner.h"
#include "shell/records/ItemTexts.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellFileInfo.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/StrRet.h"

#include <QDateTime>

namespace
{

constexpr std::uint32_t kListAttributes = 0xF00F0037;

bool onRemovableVolume(const QString& path)
{
    if (path.isEmpty() || IsVolumeRootPath(path))
        return false;
    return DriveTypeOfPath(CurrentMountTable(), FileNameFromString(path)) == TDriveType::Removable;
}

// The relative list as one file-system entry of the listed folder, when it is
// one: its item holds what lstat said, so its texts need no system call.
bool readEntry(PCItemIDList relative, ItemData::View& view)
{
    return relative && ItemData::Read(relative, view) && view.kind == ItemData::KindFileSystem &&
           IdListIsEmpty(IdListNext(relative));
}

} // namespace

TPTShListData::TPTShListData(IPTShellListOwner* list) : m_list(list) {}

TPTShListData::~TPTShListData()
{
    freeList(m_relPidl);
    freeList(m_absPidl);
}

void TPTShListData::freeList(PItemIDList& list)
{
    if (list)
        m_list->ShellAllocator()->Free(list);
    list = nullptr;
}

void TPTShListData::SetData(PItemIDList relPidl)
{
    if (relPidl != m_relPidl)
        freeList(m_relPidl);
    m_relPidl = relPidl;
    Flush();
}

void TPTShListData::Flush()
{
    freeList(m_absPidl);
    m_pathName.clear();
    m_pathReady = false;
    m_displayName.clear();
    m_extraDataReady = false;
}

PCItemIDList TPTShListData::GetAbsoluteIdList()
{
    if (!m_absPidl && m_relPidl)
        m_absPidl = ConcatIdLists(m_list->ShellAllocator(), m_list->FolderIdList(), m_relPidl);
    return m_absPidl;
}

std::uint32_t TPTShListData::attributesOf(std::uint32_t requested)
{
    IShellFolder* folder = m_list->FolderShellFolder();
    if (!folder || !m_relPidl)
        return 0;
    PCItemIDList item = m_relPidl;
    // A failed query leaves the mask as it was asked: that would claim every
    // attribute of an item that is gone.
    if (Failed(folder->GetAttributesOf(1, &item, &requested)))
        return 0;
    return requested;
}

std::uint32_t TPTShListData::GetAttributes()
{
    std::uint32_t requested = kListAttributes;
    // Whether removable media are writable is not worth asking the medium.
    if (onRemovableVolume(GetPathName()))
        requested &= ~SFGAO_READONLY;
    return attributesOf(requested);
}

// Only the bit in question is asked: the answer is the same, and the full mask
// would have every folder read for subfolders.
bool TPTShListData::IsFolder()
{
    return attributesOf(SFGAO_FOLDER) & SFGAO_FOLDER;
}

bool TPTShListData::IsFileSystem()
{
    return attributesOf(SFGAO_FILESYSTEM) & SFGAO_FILESYSTEM;
}

bool TPTShListData::GetEditable()
{
    return attributesOf(SFGAO_CANRENAME) & SFGAO_CANRENAME;
}

bool TPTShListData::IsValid()
{
    IShellFolder* folder = m_list->FolderShellFolder();
    if (!folder || !m_relPidl)
        return false;
    PCItemIDList item = m_relPidl;
    std::uint32_t attributes = SFGAO_VALIDATE;
    return Succeeded(folder->GetAttributesOf(1, &item, &attributes));
}

bool TPTShListData::IsLnkShortcut()
{
    return GetFilename().endsWith(QLatin1String(kShortcutExtension), Qt::CaseInsensitive);
}

QString TPTShListData::GetDisplayName()
{
    if (!m_displayName.isEmpty())
        return m_displayName;
    PCItemIDList absolute = GetAbsoluteIdList();
    TSHFileInfo info;
    if (absolute && SHGetFileInfo(absolute, 0, info, SHGFI_PIDL | SHGFI_DISPLAYNAME) != 0)
        m_displayName = info.szDisplayName;
    return m_displayName;
}

QString TPTShListData::GetPathName()
{
    // Kept with the absolute list: attributes, the file name and the texts all ask.
    if (!m_pathReady) {
        PCItemIDList absolute = GetAbsoluteIdList();
        m_pathName = absolute ? ShellGetPathFromIdList(absolute) : QString();
        m_pathReady = true;
    }
    return m_pathName;
}

QString TPTShListData::GetFilename()
{
    const QString path = GetPathName();
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString TPTShListData::GetColText(int column)
{
    // A null item would ask the details interface for a column header.
    if (column == 0 || !m_relPidl)
        return QString();
    if (IShellDetails* details = m_list->GetCurrentFolderIShellDetails()) {
        TShellDetails cell;
        QString text;
        if (Succeeded(
                details->GetDetailsOf(m_relPidl, static_cast<std::uint32_t>(column), &cell))) {
            text = StrretToString(m_relPidl, cell.str);
            StrretFree(cell.str);
        }
        return text;
    }
    switch (column) {
    case 1:
        return GetSize();
    case 2:
        return GetFileType();
    case 3:
        return GetModified();
    default:
        return QString();
    }
}

void TPTShListData::GetExtraData()
{
    if (m_extraDataReady)
        return;
    m_size.clear();
    m_fileType.clear();
    m_modified.clear();
    ItemData::View entry;
    if (readEntry(m_relPidl, entry) && !(entry.flags & ItemData::FsNoStat) && entry.mtimeNs != 0) {
        // A file-system entry: size, time and type from the item itself. Only
        // a folder can be a volume's mount point, whose texts stay empty.
        const bool folder = entry.flags & ItemData::FsFolder;
        if (!folder || !IsVolumeRootPath(GetPathName())) {
            if (!folder)
                m_size = FileSizeKBText(entry.size);
            m_modified = ShortDateTimeText(QDateTime::fromMSecsSinceEpoch(entry.mtimeNs / 1000000));
        }
        m_fileType = FileTypes::TypeNameOf(entry.text, folder);
        m_extraDataReady = true;
        return;
    }
    const QString path = GetPathName();
    if (!path.isEmpty() && !IsVolumeRootPath(path))
        FileSizeAndModifiedTexts(path, m_size, m_modified);
    if (!IsFileSystem()) {
        m_fileType = PTLoadStr(SSystemFolder);
    } else if (PCItemIDList absolute = GetAbsoluteIdList()) {
        TSHFileInfo info;
        if (SHGetFileInfo(absolute, 0, info, SHGFI_PIDL | SHGFI_TYPENAME) != 0)
            m_fileType = info.szTypeName;
    }
    m_extraDataReady = true;
}

QString TPTShListData::GetSize()
{
    GetExtraData();
    return m_size;
}

QString TPTShListData::GetFileType()
{
    GetExtraData();
    return m_fileType;
}

QString TPTShListData::GetModified()
{
    GetExtraData();
    return m_modified;
}
