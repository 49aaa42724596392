#include "shell/fileops/XdgTrash.h"

#include "platform/ErrnoMapping.h"
#include "platform/MountTable.h"
#include "shell/fileops/FilePaths.h"
#include "shell/namespace/XdgDirs.h"

#include <QDateTime>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace XdgTrash
{

namespace
{

bool ensureFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0700) == 0)
        return true;
    struct stat st;
    return errno == EEXIST && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ensureFolders(const QByteArray& trash)
{
    return ensureFolder(trash) && ensureFolder(trash + "/files") && ensureFolder(trash + "/info");
}

bool mkdirs(const QByteArray& path)
{
    if (path.isEmpty() || path == "/")
        return true;
    struct stat st;
    if (::stat(path.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    return mkdirs(FilePaths::Parent(path)) && ensureFolder(path);
}

QByteArray volumeTrash(const QByteArray& topdir)
{
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray shared = FilePaths::Join(topdir, ".Trash");
    struct stat st;
    // A shared trash must be a real folder with the sticky bit, else it is not used.
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
        ensureFolders(FilePaths::Join(shared, uid)))
        return FilePaths::Join(shared, uid);
    const QByteArray own = FilePaths::Join(topdir, ".Trash-" + uid);
    if (ensureFolders(own) && ::lstat(own.constData(), &st) == 0 && st.st_uid == ::getuid())
        return own;
    return QByteArray();
}

QByteArray infoText(const QByteArray& originalPath)
{
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           "\n";
}

// Writes info/<name>.trashinfo for a name free in both info/ and files/.
bool writeInfo(const QByteArray& trash, const QByteArray& base, const QByteArray& text,
               QByteArray& name)
{
    // Room for ".trashinfo" and a number within the 255-byte name limit.
    const QByteArray stem = base.left(200);
    for (int n = 1; n < 100000; ++n) {
        name = n == 1 ? stem : stem + "." + QByteArray::number(n);
        const QByteArray info = trash + "/info/" + name + ".trashinfo";
        const int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        struct stat st;
        if (::lstat((trash + "/files/" + name).constData(), &st) == 0) {
            ::close(fd);
            ::unlink(info.constData());
            continue;
        }
        bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
        ok = ::fsync(fd) == 0 && ok;
        const int saved = errno;
        ok = ::close(fd) == 0 && ok;
        if (!ok) {
            ::unlink(info.constData());
            errno = saved ? saved : EIO;
        }
        return ok;
    }
    errno = EEXIST;
    return false;
}

} // namespace

QByteArray TrashFolderFor(const QByteArray& path, QByteArray* topdir)
{
    if (topdir)
        topdir->clear();
    struct stat item;
    if (::lstat(path.constData(), &item) != 0)
        return QByteArray();
    const QByteArray dataHome = XdgDirs::DataHome();
    struct stat home;
    if (mkdirs(dataHome) && ::stat(dataHome.constData(), &home) == 0 &&
        home.st_dev == item.st_dev) {
        const QByteArray trash = dataHome + "/Trash";
        return ensureFolders(trash) ? trash : QByteArray();
    }
    const QList<TMountEntry> mounts = CurrentMountTable();
    const qsizetype index = LongestMountPointFor(mounts, path);
    if (index < 0)
        return QByteArray();
    const QByteArray top = mounts[index].mountPoint;
    struct stat topStat;
    // The mount table may name another file system than the item's (bind
    // mounts, a stale table): the trash has to be on the item's own.
    if (::stat(top.constData(), &topStat) != 0 || topStat.st_dev != item.st_dev)
        return QByteArray();
    const QByteArray trash = volumeTrash(top);
    if (topdir && !trash.isEmpty())
        *topdir = top;
    return trash;
}

HRESULT MoveToTrash(const QByteArray& rawPath, QByteArray* trashedAs)
{
    const QByteArray path = FilePaths::StripTrailingSlashes(rawPath);
    if (!path.startsWith('/'))
        return E_INVALIDARG;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return HResultFromLastErrno();
    QByteArray topdir;
    const QByteArray trash = TrashFolderFor(path, &topdir);
    if (trash.isEmpty())
        return HResultFromWin32(ERROR_NOT_SUPPORTED);
    // A volume trash records the path relative to the volume's top.
    QByteArray original = path;
    if (!topdir.isEmpty())
        original = topdir == "/" ? path.mid(1) : path.mid(topdir.size() + 1);
    QByteArray name;
    if (!writeInfo(trash, FilePaths::BaseName(path), infoText(original), name))
        return HResultFromLastErrno();
    const QByteArray target = trash + "/files/" + name;
    if (!FilePaths::RenameNoReplace(path, target)) {
        const HRESULT hr = HResultFromLastErrno();
        ::unlink((trash + "/info/" + name + ".trashinfo").constData());
        return hr;
    }
    if (trashedAs)
        *trashedAs = target;
    return S_OK;
}

} // namespace XdgTrash
