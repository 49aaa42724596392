#include "shell/fileops/FilePaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FilePaths
{

QByteArray StripTrailingSlashes(const QByteArray& path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p;
}

QByteArray BaseName(const QByteArray& path)
{
    const QByteArray p = StripTrailingSlashes(path);
    return p.mid(p.lastIndexOf('/') + 1);
}

QByteArray Parent(const QByteArray& path)
{
    const QByteArray p = StripTrailingSlashes(path);
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0)
        return QByteArray(".");
    return slash == 0 ? QByteArray("/") : p.left(slash);
}

QByteArray Join(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool SameFile(const QByteArray& a, const QByteArray& b)
{
    struct stat sa;
    struct stat sb;
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsInside(const QByteArray& path, const QByteArray& folder)
{
    char* resolvedPath = ::realpath(path.constData(), nullptr);
    char* resolvedFolder = ::realpath(folder.constData(), nullptr);
    bool inside = false;
    if (resolvedPath && resolvedFolder) {
        const QByteArray p(resolvedPath);
        const QByteArray f(resolvedFolder);
        inside = p == f || p.startsWith(f == "/" ? f : f + '/');
    }
    std::free(resolvedPath);
    std::free(resolvedFolder);
    return inside;
}

bool SameVolume(const QByteArray& item, const QByteArray& folder)
{
    struct stat si;
    struct stat sf;
    return ::lstat(item.constData(), &si) == 0 && ::stat(folder.constData(), &sf) == 0 &&
           si.st_dev == sf.st_dev;
}

namespace
{

bool taken(const QByteArray& folder, const QByteArray& name)
{
    struct stat st;
    return ::lstat(Join(folder, name).constData(), &st) == 0;
}

} // namespace

QByteArray UniqueCopyName(const QByteArray& folder, const QByteArray& name)
{
    // The extension stays at the end; a leading dot is part of the name.
    qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0)
        dot = name.size();
    const QByteArray stem = name.left(dot);
    const QByteArray extension = name.mid(dot);
    for (int n = 1;; ++n) {
        const QByteArray candidate =
            stem + (n == 1 ? QByteArray(" (copy)") : " (copy " + QByteArray::number(n) + ")") +
            extension;
        if (!taken(folder, candidate))
            return candidate;
    }
}

QByteArray UniqueLinkName(const QByteArray& folder, const QByteArray& name)
{
    for (int n = 1;; ++n) {
        const QByteArray candidate =
            "Link to " + name + (n == 1 ? QByteArray() : " (" + QByteArray::number(n) + ")");
        if (!taken(folder, candidate))
            return candidate;
    }
}

bool RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st;
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

bool MakeTempSymlink(const QByteArray& target, QByteArray& templ)
{
    const QByteArray pattern = templ;
    for (int attempt = 0; attempt < 100; ++attempt) {
        templ = pattern;
        const int fd = ::mkstemp(templ.data());
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(templ.constData());
        if (::symlink(target.constData(), templ.constData()) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool RemoveTree(const QByteArray& path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return ::unlink(path.constData()) == 0;
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return false;
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (!RemoveTree(Join(path, name))) {
            ok = false;
            break;
        }
    }
    const int saved = errno;
    ::closedir(dir);
    errno = saved;
    return ok && ::rmdir(path.constData()) == 0;
}

} // namespace FilePaths
