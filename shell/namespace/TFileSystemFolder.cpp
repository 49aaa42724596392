#include "shell/namespace/TFileSystemFolder.h"

#include "platform/ErrnoMapping.h"
#include "platform/FileNameCodec.h"
#include "shell/namespace/FileTypes.h"
#include "shell/namespace/HiddenNames.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/NaturalCompare.h"
#include "shell/namespace/TFileSystemEnum.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"

#include <QList>

#include <cerrno>
#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

bool DirectoryHasSubfolder(const QByteArray& path)
{
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    bool found = false;
    int examined = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (++examined > 4096) {
            found = true;
            break;
        }
        if (entry->d_type == DT_DIR) {
            found = true;
            break;
        }
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                found = true;
                break;
            }
        }
    }
    ::closedir(dir);
    return found;
}

int CompareFileSystemItems(int column, const ItemData::View& a, const ItemData::View& b)
{
    const bool folderA = a.flags & ItemData::FsFolder;
    const bool folderB = b.flags & ItemData::FsFolder;
    if (folderA != folderB)
        return folderA ? -1 : 1;
    int r = 0;
    switch (column) {
    case 1:
        if (!folderA && a.size != b.size)
            r = a.size < b.size ? -1 : 1;
        break;
    case 2:
        if (!folderA)
            r = FileTypes::TypeNameOf(a.text, false)
                    .compare(FileTypes::TypeNameOf(b.text, false), Qt::CaseInsensitive);
        break;
    case 3:
        if (a.mtimeNs != b.mtimeNs)
            r = a.mtimeNs < b.mtimeNs ? -1 : 1;
        break;
    default:
        break;
    }
    return r != 0 ? r : NaturalCompare(a.text, b.text);
}

TFileSystemFolder::TFileSystemFolder(PCItemIDList absolute, const QByteArray& path)
    : TShellFolderBase(absolute), m_path(path)
{
}

bool TFileSystemFolder::parentWritable() const
{
    if (!m_writable)
        m_writable = ::access(m_path.constData(), W_OK) == 0;
    return *m_writable;
}

bool TFileSystemFolder::isTrashFiles() const
{
    if (!m_trashFiles) {
        const PCItemIDList absolute = AbsoluteIdList();
        ItemData::View view;
        m_trashFiles = ItemData::Read(absolute, view) && view.kind == ItemData::KindTrash &&
                       IdListIsEmpty(IdListNext(absolute));
    }
    return *m_trashFiles;
}

HRESULT TFileSystemFolder::bindItem(PCItemIDList item, const ItemData::View& view,
                                    TComPtr<IShellFolder>& folder)
{
    if (!(view.flags & ItemData::FsFolder))
        return HResultFromWin32(ERROR_DIRECTORY);
    const QByteArray path = NamespacePaths::Join(m_path, view.text);
    if (path.size() > NamespacePaths::kMaxPathBytes)
        return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
    // The child's absolute list is ours followed by its one item.
    const int itemBytes = ItemIdSize(item);
    QByteArray single(reinterpret_cast<const char*>(item), itemBytes);
    single.append(2, '\0');
    TIdListPtr absolute(ConcatIdLists(nullptr, AbsoluteIdList(),
                                      reinterpret_cast<PCItemIDList>(single.constData())));
    if (!absolute)
        return E_OUTOFMEMORY;
    folder = TComPtr<IShellFolder>::adopt(new TFileSystemFolder(absolute.get(), path));
    return S_OK;
}

int TFileSystemFolder::compareItems(int column, const ItemData::View& a, const ItemData::View& b)
{
    return CompareFileSystemItems(column, a, b);
}

HRESULT TFileSystemFolder::itemAttributes(const ItemData::View& view, std::uint32_t requested,
                                          std::uint32_t& attributes)
{
    const bool folder = view.flags & ItemData::FsFolder;
    std::uint32_t a = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    if (folder)
        a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
    if (view.flags & ItemData::FsLink)
        a |= SFGAO_LINK;
    if (view.flags & ItemData::FsHidden)
        a |= SFGAO_GHOSTED;
    // Only the bits asked for cost system calls.
    const std::uint32_t expensive = SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE |
                                    SFGAO_READONLY | SFGAO_DROPTARGET | SFGAO_HASSUBFOLDER |
                                    SFGAO_VALIDATE;
    if (requested & expensive) {
        // The path only for the bits that ask the file system about the item:
        // a list asks for subfolders of 100 000 files, which have none.
        const bool needsPath = (requested & (SFGAO_VALIDATE | SFGAO_READONLY | SFGAO_DROPTARGET)) ||
                               ((requested & SFGAO_HASSUBFOLDER) && folder);
        const QByteArray path = needsPath ? NamespacePaths::Join(m_path, view.text) : QByteArray();
        if (requested & SFGAO_VALIDATE) {
            struct stat st;
            if (::lstat(path.constData(), &st) != 0)
                return HResultFromLastErrno();
        }
        if ((requested & (SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE)) && parentWritable())
            a |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
        if (requested & (SFGAO_READONLY | SFGAO_DROPTARGET)) {
            // No write bit at all counts as read-only even for root, whom
            // access() would let write anyway.
            const bool noWriteBits = !(view.flags & ItemData::FsNoStat) && (view.mode & 0222) == 0;
            if (noWriteBits || ::access(path.constData(), W_OK) != 0)
                a |= SFGAO_READONLY;
            else if (folder)
                a |= SFGAO_DROPTARGET;
        }
        if ((requested & SFGAO_HASSUBFOLDER) && folder && DirectoryHasSubfolder(path))
            a |= SFGAO_HASSUBFOLDER;
        if (isTrashFiles())
            a &= ~SFGAO_CANRENAME;
    }
    attributes = a & requested;
    return S_OK;
}

HRESULT TFileSystemFolder::itemDisplayName(const ItemData::View& view, std::uint32_t flags,
                                           TStrRet* name)
{
    if ((flags & SHGDN_FORPARSING) && !(flags & SHGDN_INFOLDER)) {
        const QByteArray path = NamespacePaths::Join(m_path, view.text);
        // The address bar shows the path; only a parsing name must be exact.
        return StrretFromString((flags & SHGDN_FORADDRESSBAR) ? FileNameForDisplay(path)
                                                              : FileNameToString(path),
                                name);
    }
    if (IsValidUtf8(view.text)) {
        StrretFromOffset(static_cast<std::uint32_t>(view.textOffset), name);
        return S_OK;
    }
    // Parsing and editing names must lead back to the same bytes.
    const bool lossless = flags & (SHGDN_FORPARSING | SHGDN_FOREDITING);
    return StrretFromString(lossless ? FileNameToString(view.text) : FileNameForDisplay(view.text),
                            name);
}

HRESULT TFileSystemFolder::enumerate(std::uint32_t flags, const QList<QByteArray>& leading,
                                     IEnumIDList** enumList)
{
    return TFileSystemEnum::Create(m_path, flags, leading, enumList);
}

HRESULT TFileSystemFolder::EnumObjects(HWND, std::uint32_t flags, IEnumIDList** enumList)
{
    return enumerate(flags, {}, enumList);
}

HRESULT TFileSystemFolder::parseRelative(const QByteArray& relative, PItemIDList* idList)
{
    QList<QByteArray> parts;
    for (const QByteArray& part : relative.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (parts.isEmpty())
                return E_INVALIDARG;
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    if (parts.isEmpty())
        return E_INVALIDARG;
    QByteArray items;
    QByteArray current = m_path;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray& part = parts[i];
        const bool hidden = THiddenNames::ReadFromFolder(current).Contains(
            std::string_view(part.constData(), part.size()));
        QByteArray itemBytes;
        HRESULT hr = ItemData::ReadFileSystemEntry(AT_FDCWD, current,
                                                   std::string_view(part.constData(), part.size()),
                                                   hidden, -1, itemBytes);
        if (Failed(hr)) {
            if (i + 1 < parts.size() && hr == HResultFromWin32(ERROR_FILE_NOT_FOUND))
                hr = HResultFromWin32(ERROR_PATH_NOT_FOUND);
            return hr;
        }
        if (i + 1 < parts.size() && !(static_cast<std::uint8_t>(itemBytes[3]) & ItemData::FsFolder))
            return HResultFromWin32(ERROR_PATH_NOT_FOUND);
        items += itemBytes;
        current = NamespacePaths::Join(current, std::string_view(part.constData(), part.size()));
    }
    *idList = ItemData::ListFromItems(items);
    return *idList ? S_OK : E_OUTOFMEMORY;
}

HRESULT TFileSystemFolder::ParseDisplayName(HWND, IBindCtx*, const QString& displayName,
                                            std::uint32_t* eaten, PItemIDList* idList,
                                            std::uint32_t* attributes)
{
    if (!idList)
        return E_POINTER;
    *idList = nullptr;
    const QByteArray relative = FileNameFromString(displayName);
    if (relative.isEmpty() || relative.startsWith('/') || relative.contains('\0'))
        return E_INVALIDARG;
    const qsizetype separator = m_path.endsWith('/') ? 0 : 1; // none after "/"
    if (m_path.size() + separator + relative.size() > NamespacePaths::kMaxPathBytes)
        return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
    TIdListPtr result;
    if (const HRESULT hr = parseRelative(relative, result.put()); Failed(hr))
        return hr;
    return finishParse(displayName, result, eaten, idList, attributes);
}

HRESULT TFileSystemFolder::SetNameOf(HWND, PCItemIDList idList, const QString& name, std::uint32_t,
                                     PItemIDList* newIdList)
{
    if (newIdList)
        *newIdList = nullptr;
    ItemData::View view;
    if (IdListIsEmpty(idList) || !IdListIsEmpty(IdListNext(idList)) || !readOwnItem(idList, view))
        return E_INVALIDARG;
    if (isTrashFiles())
        return HResultFromWin32(ERROR_ACCESS_DENIED);
    const QByteArray newName = FileNameFromString(name);
    if (newName.isEmpty() || newName == "." || newName == ".." || newName.contains('/') ||
        newName.contains('\0'))
        return HResultFromWin32(ERROR_INVALID_NAME);
    const QByteArray oldPath = NamespacePaths::Join(m_path, view.text);
    const QByteArray newPath =
        NamespacePaths::Join(m_path, std::string_view(newName.constData(), newName.size()));
    if (newPath.size() > NamespacePaths::kMaxPathBytes)
        return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
    if (newPath != oldPath) {
        // Never replace an existing entry, which plain rename() would do.
        if (::renameat2(AT_FDCWD, oldPath.constData(), AT_FDCWD, newPath.constData(),
                        RENAME_NOREPLACE) != 0) {
            const int error = errno;
            struct stat oldSt;
            struct stat newSt;
            const bool sameFile = ::lstat(oldPath.constData(), &oldSt) == 0 &&
                                  ::lstat(newPath.constData(), &newSt) == 0 &&
                                  oldSt.st_dev == newSt.st_dev && oldSt.st_ino == newSt.st_ino;
            if (error == EEXIST && sameFile) {
                // A change of case only, on a file system that ignores case.
                if (::rename(oldPath.constData(), newPath.constData()) != 0)
                    return HResultFromLastErrno();
            } else if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
                if (::lstat(newPath.constData(), &newSt) == 0)
                    return HResultFromWin32(ERROR_ALREADY_EXISTS);
                if (::rename(oldPath.constData(), newPath.constData()) != 0)
                    return HResultFromLastErrno();
            } else {
                return HResultFromErrno(error);
            }
        }
    }
    if (!newIdList)
        return S_OK;
    const bool hidden = THiddenNames::ReadFromFolder(m_path).Contains(
        std::string_view(newName.constData(), newName.size()));
    QByteArray itemBytes;
    if (const HRESULT hr = ItemData::ReadFileSystemEntry(
            AT_FDCWD, m_path, std::string_view(newName.constData(), newName.size()), hidden, -1,
            itemBytes);
        Failed(hr))
        return hr;
    *newIdList = ItemData::ListFromItems(itemBytes);
    return *newIdList ? S_OK : E_OUTOFMEMORY;
}
