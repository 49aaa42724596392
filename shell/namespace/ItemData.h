#pragma once

#include "platform/MountTable.h"
#include "platform/ResultCodes.h"
#include "shell/shell95/TItemIDList.h"

#include <QByteArray>

#include <cstdint>
#include <string_view>

#include <sys/stat.h>

// The data of one item of our namespace (after the 16-bit size):
//
//   kind 0x01 Home, 0x02 Computer, 0x03 Trash:  [kind]                  (cb 3)
//   kind 0x10 volume:   [kind][drive type][volume flags][mount point][0]
//   kind 0x20 file-system entry:
//       [kind][entry flags][st_mode u32][size u64][mtime ns i64][name][0]
//
// Integers are little-endian; names and mount points are the raw bytes of the
// file system (any bytes but '/' and NUL), zero-terminated so a display name
// can be answered as an offset into the list. A file-system entry caches what
// lstat/stat said when the item was made, so sorting and attributes of a large
// folder need no further system calls.
namespace ItemData
{

enum Kind : std::uint8_t {
    KindHome = 0x01,
    KindComputer = 0x02,
    KindTrash = 0x03,
    KindVolume = 0x10,
    KindFileSystem = 0x20,
};

// Entry flags of a file-system item.
constexpr std::uint8_t FsFolder = 0x01; // a directory, or a link to one
constexpr std::uint8_t FsLink = 0x02;   // a symbolic link
constexpr std::uint8_t FsHidden = 0x04; // dot name or listed in the folder's .hidden
constexpr std::uint8_t FsNoTarget =
    0x08;                               // a link whose target cannot be reached (dangling, looping)
constexpr std::uint8_t FsNoStat = 0x10; // no stat data (folder readable but not searchable)

// Volume flags.
constexpr std::uint8_t VolRemovable = 0x01;
constexpr std::uint8_t VolReadOnly = 0x02;

constexpr int kFsHeaderSize = 2 + 1 + 1 + 4 + 8 + 8; // offset of the name inside the item
constexpr int kVolumeHeaderSize = 2 + 1 + 1 + 1;

// A checked reading of one item; `text` is the name or the mount point.
struct View {
    Kind kind = KindHome;
    std::uint8_t flags = 0;
    std::uint32_t mode = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    TDriveType driveType = TDriveType::Unknown;
    std::string_view text;
    int textOffset = 0; // offset of text from the start of the item

    bool isFolder() const { return kind != KindFileSystem || (flags & FsFolder); }
};

// False for an empty list or an item that is not well formed (persisted or
// dropped data can be anything).
bool Read(PCItemIDList item, View& view);

// New one-item lists from the shell allocator (null when it fails).
PItemIDList MakeSpecial(Kind kind);
PItemIDList MakeVolume(const TMountEntry& volume);
PItemIDList MakeFileSystem(std::string_view name, std::uint8_t flags, const struct stat* st);

// The item bytes (without terminator) for building lists in place.
QByteArray SpecialBytes(Kind kind);
QByteArray VolumeBytes(const TMountEntry& volume);
QByteArray FileSystemBytes(std::string_view name, std::uint8_t flags, const struct stat* st);
// The same into out (its capacity is kept, so a reused buffer allocates once).
void WriteFileSystemBytes(std::string_view name, std::uint8_t flags, const struct stat* st,
                          QByteArray& out);

// Makes the entry `name` of the directory open as dirFd (or at dirPath when
// dirFd is AT_FDCWD): lstat, then stat through a link. `hidden` says whether
// the folder's .hidden file lists it. Fails with the errno code when the entry
// itself cannot be found; a folder that is readable but not searchable still
// gives an item (flag FsNoStat, folder from the directory entry type when
// known: pass isDirHint 1/0, or -1 for unknown).
HRESULT ReadFileSystemEntry(int dirFd, const QByteArray& dirPath, std::string_view name,
                            bool hidden, int isDirHint, QByteArray& itemBytes);

// A list made of the given item bytes and the terminator.
PItemIDList ListFromItems(const QByteArray& itemBytes);

} // namespace ItemData
