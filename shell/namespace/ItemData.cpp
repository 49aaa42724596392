#include "shell/namespace/ItemData.h"

#include "platform/ErrnoMapping.h"
#include "shell/utils/ShellMalloc.h"

#include <bit>
#include <cstring>

#include <fcntl.h>

namespace ItemData
{

namespace
{

void putLe(std::uint8_t* p, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

std::uint64_t getLe(const std::uint8_t* p, int bytes)
{
    // Sorting a large folder reads every item many times: one load on
    // little-endian machines, the byte loop elsewhere.
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t value = 0;
        std::memcpy(&value, p, static_cast<size_t>(bytes));
        return value;
    }
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void finishItem(QByteArray& out)
{
    SetItemIdSize(out.data(), static_cast<std::uint16_t>(out.size()));
}

} // namespace

bool Read(PCItemIDList item, View& view)
{
    if (!item)
        return false;
    const auto* p = reinterpret_cast<const std::uint8_t*>(item);
    const int cb = ItemIdSize(p);
    if (cb < 3)
        return false;
    view = View();
    view.kind = static_cast<Kind>(p[2]);
    auto zeroTerminatedText = [&](int offset) {
        if (cb <= offset)
            return false;
        const void* zero = std::memchr(p + offset, 0, static_cast<size_t>(cb - offset));
        if (!zero)
            return false;
        view.text = std::string_view(
            reinterpret_cast<const char*>(p + offset),
            static_cast<size_t>(static_cast<const std::uint8_t*>(zero) - (p + offset)));
        view.textOffset = offset;
        return true;
    };
    switch (view.kind) {
    case KindHome:
    case KindComputer:
    case KindTrash:
        return cb == 3;
    case KindVolume:
        if (!zeroTerminatedText(kVolumeHeaderSize) || view.text.empty() || view.text.front() != '/')
            return false;
        view.driveType = static_cast<TDriveType>(p[3]);
        view.flags = p[4];
        return true;
    case KindFileSystem:
        if (!zeroTerminatedText(kFsHeaderSize) || view.text.empty() || view.text == "." ||
            view.text == ".." || view.text.find('/') != std::string_view::npos)
            return false;
        view.flags = p[3];
        view.mode = static_cast<std::uint32_t>(getLe(p + 4, 4));
        view.size = getLe(p + 8, 8);
        view.mtimeNs = static_cast<std::int64_t>(getLe(p + 16, 8));
        return true;
    }
    return false;
}

QByteArray SpecialBytes(Kind kind)
{
    QByteArray out(2, '\0');
    out.append(static_cast<char>(kind));
    finishItem(out);
    return out;
}

QByteArray VolumeBytes(const TMountEntry& volume)
{
    QByteArray out(2, '\0');
    out.append(static_cast<char>(KindVolume));
    out.append(static_cast<char>(volume.driveType));
    std::uint8_t flags = 0;
    if (volume.removable)
        flags |= VolRemovable;
    if (volume.readOnly)
        flags |= VolReadOnly;
    out.append(static_cast<char>(flags));
    out.append(volume.mountPoint);
    out.append('\0');
    finishItem(out);
    return out;
}

void WriteFileSystemBytes(std::string_view name, std::uint8_t flags, const struct stat* st,
                          QByteArray& out)
{
    // Written in place, into a buffer the enumeration reuses for every entry.
    const auto size = kFsHeaderSize + static_cast<qsizetype>(name.size()) + 1;
    out.resize(size);
    auto* p = reinterpret_cast<std::uint8_t*>(out.data());
    SetItemIdSize(p, static_cast<std::uint16_t>(size));
    p[2] = KindFileSystem;
    p[3] = flags;
    putLe(p + 4, st ? st->st_mode : 0, 4);
    putLe(p + 8, st ? static_cast<std::uint64_t>(st->st_size) : 0, 8);
    const std::int64_t mtime =
        st ? static_cast<std::int64_t>(st->st_mtim.tv_sec) * 1000000000 + st->st_mtim.tv_nsec : 0;
    putLe(p + 16, static_cast<std::uint64_t>(mtime), 8);
    std::memcpy(p + kFsHeaderSize, name.data(), name.size());
    p[size - 1] = 0;
}

QByteArray FileSystemBytes(std::string_view name, std::uint8_t flags, const struct stat* st)
{
    QByteArray out;
    WriteFileSystemBytes(name, flags, st, out);
    return out;
}

PItemIDList ListFromItems(const QByteArray& itemBytes)
{
    auto* list = static_cast<char*>(ShellMemAlloc(static_cast<size_t>(itemBytes.size()) + 2));
    if (!list)
        return nullptr;
    std::memcpy(list, itemBytes.constData(), static_cast<size_t>(itemBytes.size()));
    SetItemIdSize(list + itemBytes.size(), 0);
    return reinterpret_cast<PItemIDList>(list);
}

PItemIDList MakeSpecial(Kind kind)
{
    return ListFromItems(SpecialBytes(kind));
}

PItemIDList MakeVolume(const TMountEntry& volume)
{
    return ListFromItems(VolumeBytes(volume));
}

PItemIDList MakeFileSystem(std::string_view name, std::uint8_t flags, const struct stat* st)
{
    return ListFromItems(FileSystemBytes(name, flags, st));
}

HRESULT ReadFileSystemEntry(int dirFd, const QByteArray& dirPath, std::string_view name,
                            bool hidden, int isDirHint, QByteArray& itemBytes)
{
    // An item holds at most 65535 bytes; names are far shorter on every
    // Linux file system (255 bytes).
    if (name.size() > 4096)
        return HResultFromWin32(ERROR_FILENAME_EXCED_RANGE);
    const std::string nameZ(name);
    QByteArray pathZ;
    const char* at = nameZ.c_str();
    int fd = dirFd;
    if (dirFd == AT_FDCWD) {
        pathZ = dirPath.endsWith('/')
                    ? dirPath + QByteArray(name.data(), static_cast<qsizetype>(name.size()))
                    : dirPath + '/' + QByteArray(name.data(), static_cast<qsizetype>(name.size()));
        at = pathZ.constData();
    }
    std::uint8_t flags = hidden || name.front() == '.' ? FsHidden : 0;
    struct stat st;
    if (::fstatat(fd, at, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        const int error = errno;
        if (error == EACCES && isDirHint >= 0) {
            if (isDirHint == 1)
                flags |= FsFolder;
            WriteFileSystemBytes(name, flags | FsNoStat, nullptr, itemBytes);
            return S_OK;
        }
        return HResultFromErrno(error);
    }
    if (S_ISLNK(st.st_mode)) {
        flags |= FsLink;
        struct stat target;
        if (::fstatat(fd, at, &target, 0) == 0) {
            // Show the target's type, size and time, like the file managers do.
            st = target;
        } else {
            flags |= FsNoTarget;
        }
    }
    if (S_ISDIR(st.st_mode))
        flags |= FsFolder;
    WriteFileSystemBytes(name, flags, &st, itemBytes);
    return S_OK;
}

} // namespace ItemData
