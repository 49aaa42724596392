#include "shell/namespace/TFileSystemEnum.h"

#include "platform/ErrnoMapping.h"
#include "shell/namespace/ItemData.h"
#include "shell/shell95/ShellConstants.h"

#include <cerrno>
#include <cstring>

HRESULT TFileSystemEnum::Create(const QByteArray& path, std::uint32_t flags,
                                const QList<QByteArray>& leading, IEnumIDList** enumList)
{
    if (!enumList)
        return E_POINTER;
    *enumList = nullptr;
    DIR* dir = nullptr;
    if (!path.isNull()) {
        dir = ::opendir(path.constData());
        if (!dir)
            return HResultFromLastErrno();
    }
    *enumList = new TFileSystemEnum(path, dir, flags, leading);
    return S_OK;
}

TFileSystemEnum::TFileSystemEnum(const QByteArray& path, DIR* dir, std::uint32_t flags,
                                 const QList<QByteArray>& leading)
    : m_path(path), m_dir(dir), m_flags(flags), m_leading(leading)
{
    if (m_dir)
        m_hidden = THiddenNames::ReadFromFolder(path);
}

TFileSystemEnum::~TFileSystemEnum()
{
    if (m_dir)
        ::closedir(m_dir);
}

HRESULT TFileSystemEnum::QueryInterface(REFIID iid, void** object)
{
    return QueryOwnInterface(iid, IID_IEnumIDList, object);
}

bool TFileSystemEnum::wanted(std::uint8_t entryFlags) const
{
    if ((entryFlags & ItemData::FsHidden) && !(m_flags & SHCONTF_INCLUDEHIDDEN))
        return false;
    return (entryFlags & ItemData::FsFolder) ? (m_flags & SHCONTF_FOLDERS)
                                             : (m_flags & SHCONTF_NONFOLDERS);
}

bool TFileSystemEnum::nextItem(QByteArray& itemBytes, HRESULT& hr)
{
    hr = S_FALSE;
    while (m_leadingIndex < m_leading.size()) {
        itemBytes = m_leading[m_leadingIndex++];
        // Leading items are folders: the desktop's Home, Computer and Trash, volumes.
        if (m_flags & SHCONTF_FOLDERS)
            return true;
    }
    if (!m_dir)
        return false;
    const int fd = ::dirfd(m_dir);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(m_dir);
        if (!entry) {
            if (errno != 0)
                hr = HResultFromLastErrno();
            return false;
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        const std::string_view nameView(name);
        // Skip the stat calls for entries the flags leave out anyway.
        const bool dotName = name[0] == '.';
        if (dotName && !(m_flags & SHCONTF_INCLUDEHIDDEN))
            continue;
        if (entry->d_type == DT_DIR && !(m_flags & SHCONTF_FOLDERS))
            continue;
        if (entry->d_type == DT_REG && !(m_flags & SHCONTF_NONFOLDERS))
            continue;
        const bool hidden = dotName || (!m_hidden.IsEmpty() && m_hidden.Contains(nameView));
        const int dirHint = entry->d_type == DT_DIR ? 1 : (entry->d_type == DT_UNKNOWN ? -1 : 0);
        if (Failed(ItemData::ReadFileSystemEntry(fd, m_path, nameView, hidden, dirHint, itemBytes)))
            continue; // gone since readdir, or not examinable and of unknown type
        const auto entryFlags = static_cast<std::uint8_t>(itemBytes[3]);
        if (wanted(entryFlags))
            return true;
    }
}

HRESULT TFileSystemEnum::Next(std::uint32_t count, PItemIDList* items, std::uint32_t* fetched)
{
    if (!items || (count > 1 && !fetched))
        return E_INVALIDARG;
    std::uint32_t got = 0;
    HRESULT end = S_FALSE;
    while (got < count && nextItem(m_itemBytes, end)) {
        PItemIDList item = ItemData::ListFromItems(m_itemBytes);
        if (!item) {
            end = E_OUTOFMEMORY;
            break;
        }
        items[got++] = item;
    }
    if (fetched)
        *fetched = got;
    if (got == count)
        return S_OK;
    // Items already handed out stay the caller's; an error only shows once
    // nothing more could be read.
    return got > 0 ? S_FALSE : end;
}

HRESULT TFileSystemEnum::Skip(std::uint32_t count)
{
    QByteArray bytes;
    HRESULT end = S_FALSE;
    for (std::uint32_t i = 0; i < count; ++i)
        if (!nextItem(bytes, end))
            return S_FALSE;
    return S_OK;
}

HRESULT TFileSystemEnum::Reset()
{
    m_leadingIndex = 0;
    if (m_dir)
        ::rewinddir(m_dir);
    return S_OK;
}

HRESULT TFileSystemEnum::Clone(IEnumIDList** copy)
{
    if (copy)
        *copy = nullptr;
    return E_NOTIMPL;
}
