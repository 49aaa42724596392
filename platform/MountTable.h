#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Drive types with the platform's numbers, so code that switches on them
// (the tree watches fixed, remote and RAM drives) keeps its constants.
enum class TDriveType : std::uint32_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CDRom = 5,
    RamDisk = 6,
};

struct TMountEntry {
    QByteArray device;
    QByteArray mountPoint; // unescaped bytes, as the file system has them
    QByteArray fsType;
    QByteArray options;
    bool readOnly = false;
    bool removable = false; // from the block device's "removable" flag
    TDriveType driveType = TDriveType::Unknown;
};

constexpr const char* kDefaultMountTable = "/proc/self/mounts";

// Every line of a mounts file, in file order. Octal escapes (\040 for a blank)
// are decoded. A missing or unreadable file gives an empty list.
QList<TMountEntry> ReadMountTable(const QString& path = QString::fromLatin1(kDefaultMountTable));
QList<TMountEntry> ParseMountTable(const QByteArray& content);

// The process's mount table, read again only when the kernel reports a change
// (poll on /proc/self/mounts). `changed` tells whether this call re-read it.
// Thread-safe.
QList<TMountEntry> CurrentMountTable(bool* changed = nullptr);

// VolumesFromMountTable(CurrentMountTable()), worked out again only when the
// table was read again: path parsing and item texts ask for every item.
// Thread-safe.
QList<TMountEntry> CurrentVolumes();

// Makes the next CurrentMountTable read the table (and the devices' removable
// flags, which change without the kernel reporting it) again.
void DiscardCurrentMountTable();

// The entries a user would call volumes: "/" first, then the other block-device,
// network and /tmp RAM-disk mounts on directories, ordered by mount point.
// Kernel, container and runtime mounts (/proc, /sys, /dev, /run) are left out;
// of a mount point mounted twice the later entry wins, as it hides the first.
// Local mount points are stat'ed (a file bound over a file is no volume);
// network ones never, as a dead server would hold the call.
QList<TMountEntry> VolumesFromMountTable(const QList<TMountEntry>& entries);

TDriveType DriveTypeFor(const QByteArray& fsType, bool removable);

// The drive type of the volume holding a path (the longest matching mount point
// among all entries); NoRootDir for a relative or empty path.
TDriveType DriveTypeOfPath(const QList<TMountEntry>& entries, const QByteArray& path);

// The index of the entry whose mount point is the longest prefix of the path
// (component-wise), or -1.
qsizetype LongestMountPointFor(const QList<TMountEntry>& entries, const QByteArray& path);
