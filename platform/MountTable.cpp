#include "platform/MountTable.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace
{

QByteArray unescapeField(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray octal = field.mid(i + 1, 3);
            bool ok = octal.size() == 3;
            for (char c : octal)
                ok = ok && c >= '0' && c <= '7';
            if (ok) {
                out.append(static_cast<char>(octal.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

bool isRemovableDevice(const QByteArray& device)
{
    if (!device.startsWith("/dev/"))
        return false;
    const QFileInfo dev(QFile::decodeName(device));
    const QString name =
        dev.isSymLink() ? QFileInfo(dev.symLinkTarget()).fileName() : dev.fileName();
    QString sysPath = QStringLiteral("/sys/class/block/") + name;
    QFileInfo sys(sysPath);
    if (!sys.exists())
        return false;
    QString real = sys.canonicalFilePath();
    // A partition's flag lives on its parent disk.
    if (QFileInfo::exists(real + QStringLiteral("/partition")))
        real = QFileInfo(real).absolutePath();
    QFile flag(real + QStringLiteral("/removable"));
    if (!flag.open(QIODevice::ReadOnly))
        return false;
    return flag.readAll().trimmed() == "1";
}

bool isNetworkFs(const QByteArray& type)
{
    static const char* const kTypes[] = {"nfs",        "nfs4",  "cifs",  "smb3",
                                         "smbfs",      "ncpfs", "afs",   "9p",
                                         "fuse.sshfs", "sshfs", "davfs", "fuse.davfs2"};
    return std::any_of(std::begin(kTypes), std::end(kTypes),
                       [&](const char* t) { return type == t; });
}

bool underPrefix(const QByteArray& path, const char* prefix)
{
    const QByteArray p(prefix);
    return path == p || (path.startsWith(p) && path.size() > p.size() && path[p.size()] == '/');
}

bool isVolume(const TMountEntry& e)
{
    if (e.mountPoint == "/")
        return true;
    if (underPrefix(e.mountPoint, "/proc") || underPrefix(e.mountPoint, "/sys") ||
        underPrefix(e.mountPoint, "/dev") || underPrefix(e.mountPoint, "/snap"))
        return false;
    if (underPrefix(e.mountPoint, "/run") && !underPrefix(e.mountPoint, "/run/media"))
        return false;
    const bool ramTmp = (e.fsType == "tmpfs" || e.fsType == "ramfs") && e.mountPoint == "/tmp";
    if (!e.device.startsWith("/dev/") && !isNetworkFs(e.fsType) && !ramTmp)
        return false;
    if (e.device.startsWith("/dev/loop") && e.fsType == "squashfs")
        return false;
    // A network file system is a folder by what it is; a stat of its mount
    // point would wait for the server, forever when the server is gone.
    if (isNetworkFs(e.fsType))
        return true;
    // Containers bind single files (/etc/hosts) from the root device.
    struct stat st;
    return ::stat(e.mountPoint.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isPathPrefix(const QByteArray& prefix, const QByteArray& path)
{
    if (prefix == "/")
        return path.startsWith('/');
    return path == prefix ||
           (path.startsWith(prefix) && path.size() > prefix.size() && path[prefix.size()] == '/');
}

} // namespace

TDriveType DriveTypeFor(const QByteArray& fsType, bool removable)
{
    if (isNetworkFs(fsType))
        return TDriveType::Remote;
    if (fsType == "iso9660" || fsType == "udf")
        return TDriveType::CDRom;
    if (fsType == "tmpfs" || fsType == "ramfs")
        return TDriveType::RamDisk;
    if (removable)
        return TDriveType::Removable;
    return TDriveType::Fixed;
}

QList<TMountEntry> ReadMountTable(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // /proc files report size 0: read to the end rather than by size.
    return ParseMountTable(file.readAll());
}

QList<TMountEntry> ParseMountTable(const QByteArray& content)
{
    QList<TMountEntry> entries;
    for (const QByteArray& line : content.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 4)
            continue;
        TMountEntry e;
        e.device = unescapeField(fields[0]);
        e.mountPoint = unescapeField(fields[1]);
        e.fsType = unescapeField(fields[2]);
        e.options = fields[3];
        e.readOnly = e.options.split(',').contains("ro");
        e.removable = isRemovableDevice(e.device);
        e.driveType = DriveTypeFor(e.fsType, e.removable);
        entries.append(e);
    }
    return entries;
}

namespace
{

struct TCurrentTable {
    QMutex mutex;
    int fd = -1;
    bool loaded = false;
    QList<TMountEntry> cached;
    bool volumesReady = false;
    QList<TMountEntry> volumes;
};

TCurrentTable& currentTable()
{
    static TCurrentTable table;
    return table;
}

} // namespace

QList<TMountEntry> CurrentMountTable(bool* changed)
{
    TCurrentTable& t = currentTable();
    QMutexLocker lock(&t.mutex);
    if (t.fd < 0)
        t.fd = ::open(kDefaultMountTable, O_RDONLY | O_CLOEXEC);
    bool reread = !t.loaded;
    if (t.fd >= 0 && t.loaded) {
        pollfd p{t.fd, POLLPRI, 0};
        reread = ::poll(&p, 1, 0) > 0 && (p.revents & (POLLPRI | POLLERR));
    }
    if (reread) {
        // Reading through the polled descriptor re-arms the change report.
        QByteArray content;
        if (t.fd >= 0 && ::lseek(t.fd, 0, SEEK_SET) == 0) {
            char buffer[8192];
            ssize_t n;
            while ((n = ::read(t.fd, buffer, sizeof buffer)) > 0)
                content.append(buffer, n);
        }
        t.cached = ParseMountTable(content);
        t.loaded = true;
        t.volumesReady = false;
    }
    if (changed)
        *changed = reread;
    return t.cached;
}

QList<TMountEntry> CurrentVolumes()
{
    CurrentMountTable(); // reads the table again when it changed
    TCurrentTable& t = currentTable();
    QMutexLocker lock(&t.mutex);
    if (!t.volumesReady) {
        t.volumes = VolumesFromMountTable(t.cached);
        t.volumesReady = true;
    }
    return t.volumes;
}

void DiscardCurrentMountTable()
{
    TCurrentTable& t = currentTable();
    QMutexLocker lock(&t.mutex);
    t.loaded = false;
}

QList<TMountEntry> VolumesFromMountTable(const QList<TMountEntry>& entries)
{
    QList<TMountEntry> volumes;
    for (const TMountEntry& e : entries) {
        if (!isVolume(e))
            continue;
        auto same = std::find_if(volumes.begin(), volumes.end(), [&](const TMountEntry& v) {
            return v.mountPoint == e.mountPoint;
        });
        if (same != volumes.end())
            *same = e;
        else
            volumes.append(e);
    }
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const TMountEntry& a, const TMountEntry& b) {
                         if ((a.mountPoint == "/") != (b.mountPoint == "/"))
                             return a.mountPoint == "/";
                         return a.mountPoint < b.mountPoint;
                     });
    if (volumes.isEmpty() || volumes.first().mountPoint != "/") {
        // Without a readable table the root still has to be reachable.
        TMountEntry root;
        root.mountPoint = "/";
        root.driveType = TDriveType::Fixed;
        volumes.prepend(root);
    }
    return volumes;
}

qsizetype LongestMountPointFor(const QList<TMountEntry>& entries, const QByteArray& path)
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (isPathPrefix(entries[i].mountPoint, path) &&
            (best < 0 || entries[i].mountPoint.size() >= entries[best].mountPoint.size()))
            best = i;
    }
    return best;
}

TDriveType DriveTypeOfPath(const QList<TMountEntry>& entries, const QByteArray& path)
{
    if (!path.startsWith('/'))
        return TDriveType::NoRootDir;
    const qsizetype i = LongestMountPointFor(entries, path);
    return i < 0 ? TDriveType::Fixed : entries[i].driveType;
}
