#include "shell/fileops/TrashEntries.h"

#include "platform/ErrnoMapping.h"
#include "platform/ReadRegularFile.h"
#include "shell/fileops/FilePaths.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace XdgTrash
{

namespace
{

// A .trashinfo is a few hundred bytes; a huge one is not ours.
constexpr qint64 kMaxInfoBytes = 64 * 1024;

QByteArray infoFileOf(const QByteArray& entry)
{
    const QByteArray files = FilePaths::Parent(entry);
    if (FilePaths::BaseName(files) != "files")
        return QByteArray();
    return FilePaths::Parent(files) + "/info/" + FilePaths::BaseName(entry) + ".trashinfo";
}

bool mkdirs(const QByteArray& path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(path.constData(), &st) == 0)
        return true;
    return mkdirs(FilePaths::Parent(path)) &&
           (::mkdir(path.constData(), 0777) == 0 || errno == EEXIST);
}

} // namespace

bool IsTrashEntry(const QByteArray& rawPath)
{
    const QByteArray path = FilePaths::StripTrailingSlashes(rawPath);
    const QByteArray info = infoFileOf(path);
    struct stat st;
    return !info.isEmpty() && ::lstat(info.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::lstat(path.constData(), &st) == 0;
}

bool IsTrashFilesFolder(const QByteArray& rawPath)
{
    const QByteArray path = FilePaths::StripTrailingSlashes(rawPath);
    struct stat st;
    return FilePaths::BaseName(path) == "files" &&
           ::lstat((FilePaths::Parent(path) + "/info").constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

bool IsInTrash(const QByteArray& rawPath)
{
    for (QByteArray path = FilePaths::StripTrailingSlashes(rawPath); path.size() > 1;
         path = FilePaths::Parent(path))
        if (IsTrashEntry(path))
            return true;
    return false;
}

QByteArray OriginalPathOf(const QByteArray& rawEntry)
{
    const QByteArray entry = FilePaths::StripTrailingSlashes(rawEntry);
    const QByteArray infoPath = infoFileOf(entry);
    // Regular files only: a FIFO in its place would hold the reader.
    const std::optional<QByteArray> info =
        infoPath.isEmpty() ? std::nullopt : ReadRegularFile(infoPath, kMaxInfoBytes + 1);
    if (!info || info->size() > kMaxInfoBytes)
        return QByteArray();
    bool inGroup = false;
    QByteArray original;
    for (const QByteArray& rawLine : info->split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('['))
            inGroup = line == "[Trash Info]";
        else if (inGroup && line.startsWith("Path="))
            original = QByteArray::fromPercentEncoding(line.mid(5));
    }
    if (original.isEmpty() || original.contains('\0'))
        return QByteArray();
    if (original.startsWith('/'))
        return original;
    // A volume trash ($topdir/.Trash-$uid or $topdir/.Trash/$uid) keeps paths
    // relative to the top of its volume.
    const QByteArray trash = FilePaths::Parent(FilePaths::Parent(entry));
    const QByteArray trashName = FilePaths::BaseName(trash);
    QByteArray topdir;
    if (trashName.startsWith(".Trash-"))
        topdir = FilePaths::Parent(trash);
    else if (FilePaths::BaseName(FilePaths::Parent(trash)) == ".Trash")
        topdir = FilePaths::Parent(FilePaths::Parent(trash));
    else
        return QByteArray();
    return FilePaths::Join(topdir, original);
}

HRESULT Restore(const QByteArray& rawEntry)
{
    const QByteArray entry = FilePaths::StripTrailingSlashes(rawEntry);
    if (!IsTrashEntry(entry))
        return E_INVALIDARG;
    const QByteArray original = OriginalPathOf(entry);
    if (original.isEmpty())
        return HResultFromWin32(ERROR_FILE_NOT_FOUND);
    if (!mkdirs(FilePaths::Parent(original)))
        return HResultFromLastErrno();
    if (!FilePaths::RenameNoReplace(entry, original))
        return HResultFromLastErrno();
    ::unlink(infoFileOf(entry).constData());
    return S_OK;
}

HRESULT DeletePermanently(const QByteArray& rawPath)
{
    const QByteArray path = FilePaths::StripTrailingSlashes(rawPath);
    if (!IsInTrash(path))
        return E_INVALIDARG;
    const bool entry = IsTrashEntry(path);
    if (!FilePaths::RemoveTree(path))
        return HResultFromLastErrno();
    if (entry)
        ::unlink(infoFileOf(path).constData());
    return S_OK;
}

} // namespace XdgTrash
