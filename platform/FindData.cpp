#include "platform/FindData.h"

#include "platform/FileNameCodec.h"

#include <sys/stat.h>
#include <unistd.h>

bool FindDataOfPath(const QString& path, TWin32FindData& data)
{
    const QByteArray bytes = FileNameFromString(path);
    struct stat linkInfo, info;
    if (::lstat(bytes.constData(), &linkInfo) != 0)
        return false;
    const bool isLink = S_ISLNK(linkInfo.st_mode);
    if (!isLink || ::stat(bytes.constData(), &info) != 0)
        info = linkInfo; // a dangling link describes itself

    data = TWin32FindData();
    const qsizetype slash = bytes.lastIndexOf('/');
    const QByteArray name = slash < 0 ? bytes : bytes.mid(slash + 1);
    data.FileName = FileNameToString(name);
    if (S_ISDIR(info.st_mode))
        data.FileAttributes |= FILE_ATTRIBUTE_DIRECTORY;
    else
        data.FileSize = std::uint64_t(info.st_size);
    // No write bit at all counts as read-only even for root, whom access()
    // would let write anyway (the namespace's read-only rule).
    if ((info.st_mode & 0222) == 0 || ::access(bytes.constData(), W_OK) != 0)
        data.FileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (name.startsWith('.'))
        data.FileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    if (isLink)
        data.FileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    if (data.FileAttributes == 0)
        data.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    data.LastWriteTime = QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec).addMSecs(info.st_mtim.tv_nsec / 1000000);
    return true;
}
