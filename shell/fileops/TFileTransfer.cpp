#include "shell/fileops/TFileTransfer.h"

#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/fileops/FilePaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr std::uint32_t kErrorCancelled = ERROR_CANCELLED;

bool lstatPath(const QByteArray& path, struct stat& st)
{
    return ::lstat(path.constData(), &st) == 0;
}

bool isRealFolder(const struct stat& st)
{
    return S_ISDIR(st.st_mode);
}

// One item reached by two paths (a bind mount, the same file system mounted
// twice): "replacing" it with its copy and removing the source loses both.
bool sameItem(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Copies all bytes; 0 or an errno value.
int copyData(int in, int out)
{
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
            errno == EPERM)
            break;
        return errno;
    }
    // copy_file_range refused these two files: plain reads and writes.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
    }
}

QList<QByteArray> childNames(const QByteArray& folder, int& error)
{
    QList<QByteArray> names;
    error = 0;
    DIR* dir = ::opendir(folder.constData());
    if (!dir) {
        error = errno;
        return names;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    if (errno != 0)
        error = errno;
    ::closedir(dir);
    return names;
}

void setTimes(const QByteArray& path, const struct stat& st, bool link)
{
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, path.constData(), times, link ? AT_SYMLINK_NOFOLLOW : 0);
}

void showError(HWND owner, const QString& message)
{
    TPTMessageBoxRequest request;
    request.parent = owner;
    request.text = message;
    PTMessageBox(request);
}

} // namespace

TFileTransfer::TFileTransfer(TTransferKind kind, const QByteArray& targetFolder, HWND owner)
    : m_kind(kind), m_target(FilePaths::StripTrailingSlashes(targetFolder)), m_owner(owner)
{
}

HRESULT TFileTransfer::Run(const QList<QByteArray>& sources)
{
    m_result = S_OK;
    m_replaceAll = false;
    m_created.clear();
    struct stat st;
    if (::stat(m_target.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        fail(HResultFromWin32(ERROR_PATH_NOT_FOUND), m_target);
        return m_result;
    }
    for (const QByteArray& source : sources) {
        const Outcome outcome = transferTop(FilePaths::StripTrailingSlashes(source));
        if (outcome == Outcome::Cancelled)
            return HResultFromWin32(kErrorCancelled);
        if (outcome == Outcome::Failed)
            return m_result;
    }
    return S_OK;
}

TFileTransfer::Outcome TFileTransfer::transferTop(const QByteArray& source)
{
    struct stat st;
    if (!lstatPath(source, st))
        return fail(HResultFromLastErrno(), source);
    const QByteArray name = FilePaths::BaseName(source);
    // "/", "x/." and "x/.." (from another program's list) name no entry of a
    // folder; joined to the target they would be the target or its parent.
    if (name.isEmpty() || name == "." || name == "..")
        return fail(HResultFromWin32(ERROR_INVALID_NAME), source);
    QByteArray dst = FilePaths::Join(m_target, name);
    const bool sameFolder = FilePaths::SameFile(FilePaths::Parent(source), m_target);

    if (m_kind != TTransferKind::Link && isRealFolder(st) &&
        FilePaths::IsInside(m_target, source)) {
        const QString what = FileNameForDisplay(name);
        return refuse(m_kind == TTransferKind::Move
                          ? QStringLiteral("Cannot move \"%1\": the destination folder is the "
                                           "folder itself or one of its subfolders.")
                                .arg(what)
                          : QStringLiteral("Cannot copy \"%1\": the destination folder is the "
                                           "folder itself or one of its subfolders.")
                                .arg(what));
    }

    auto transfer = [&](const QByteArray& to) {
        m_topTarget = to;
        switch (m_kind) {
        case TTransferKind::Move:
            return moveEntry(source, to);
        case TTransferKind::Copy:
            return copyEntry(source, to, false);
        case TTransferKind::Link:
            return linkEntry(source, to);
        }
        return Outcome::Failed;
    };
    if (sameFolder) {
        if (m_kind == TTransferKind::Move)
            return Outcome::Done; // already there
        dst = FilePaths::Join(m_target, m_kind == TTransferKind::Copy
                                            ? FilePaths::UniqueCopyName(m_target, name)
                                            : FilePaths::UniqueLinkName(m_target, name));
    }
    Outcome outcome = transfer(dst);
    if (outcome == Outcome::KeepBoth) {
        dst = FilePaths::Join(m_target, FilePaths::UniqueCopyName(m_target, name));
        outcome = transfer(dst);
    }
    m_topTarget.clear();
    if (outcome == Outcome::Done)
        m_created.append(dst);
    return outcome;
}

TFileTransfer::Outcome TFileTransfer::confirmReplace(const QByteArray& dst)
{
    if (m_replaceAll)
        return Outcome::Done;
    const QString message = QStringLiteral("This folder already contains an item named \"%1\".\n\n"
                                           "Do you want to replace it?")
                                .arg(FileNameForDisplay(FilePaths::BaseName(dst)));
    TPTMessageBoxRequest request;
    request.parent = m_owner;
    request.icon = TPTMsgIcon::Question;
    request.caption = QStringLiteral("Confirm Replace");
    request.text = message;
    request.buttons = ptmbYes | ptmbYesToAll | ptmbNo | ptmbCancel;
    // The item the user dropped or pasted may stay beside the one it meets;
    // files met inside a merged folder are replaced or skipped.
    const bool canKeepBoth = dst == m_topTarget;
    if (canKeepBoth) {
        request.buttons |= ptmbIgnore;
        request.buttonTexts = {{ptmbIgnore, QStringLiteral("Keep Both")}};
    }
    request.defaultButton = ptmbNo;
    switch (PTMessageBox(request)) {
    case ptmbIgnore:
        return canKeepBoth ? Outcome::KeepBoth : Outcome::Cancelled;
    case ptmbYesToAll:
        m_replaceAll = true;
        return Outcome::Done;
    case ptmbYes:
        return Outcome::Done;
    case ptmbNo:
        return Outcome::Skipped;
    default:
        // Cancel, or no box could be shown: replace nothing.
        return Outcome::Cancelled;
    }
}

TFileTransfer::Outcome TFileTransfer::fail(HRESULT code, const QByteArray& path)
{
    m_result = code;
    const char* verb = m_kind == TTransferKind::Copy   ? "copy"
                       : m_kind == TTransferKind::Move ? "move"
                                                       : "create a link to";
    showError(m_owner,
              QStringLiteral("Cannot %1 \"%2\": %3")
                  .arg(QString::fromLatin1(verb), FileNameForDisplay(path), ResultCodeText(code)));
    return Outcome::Failed;
}

TFileTransfer::Outcome TFileTransfer::refuse(const QString& message)
{
    m_result = E_INVALIDARG;
    showError(m_owner, message);
    return Outcome::Failed;
}

TFileTransfer::Outcome TFileTransfer::copyEntry(const QByteArray& src, const QByteArray& dst,
                                                bool moving)
{
    struct stat st;
    if (!lstatPath(src, st))
        return fail(HResultFromLastErrno(), src);
    struct stat existing;
    const bool exists = lstatPath(dst, existing);
    if (exists && sameItem(st, existing))
        return Outcome::Skipped;
    if (isRealFolder(st)) {
        if (exists && isRealFolder(existing))
            return mergeChildren(src, dst, moving, true);
        if (exists) {
            const Outcome answer = confirmReplace(dst);
            if (answer != Outcome::Done)
                return answer;
        }
        return copyFolder(src, st, dst, exists, moving);
    }
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return fail(HResultFromWin32(ERROR_NOT_SUPPORTED), src);
    if (exists && isRealFolder(existing))
        return refuse(QStringLiteral("Cannot replace the folder \"%1\" with a file.")
                          .arg(FileNameForDisplay(dst)));
    if (exists) {
        const Outcome answer = confirmReplace(dst);
        if (answer != Outcome::Done)
            return answer;
    }
    return copyFileOrLink(src, st, dst, exists, moving);
}

TFileTransfer::Outcome TFileTransfer::mergeChildren(const QByteArray& src, const QByteArray& dst,
                                                    bool moving, bool copying)
{
    int error = 0;
    const QList<QByteArray> names = childNames(src, error);
    if (error)
        return fail(HResultFromErrno(error), src);
    bool all = true;
    for (const QByteArray& name : names) {
        const QByteArray from = FilePaths::Join(src, name);
        const QByteArray to = FilePaths::Join(dst, name);
        const Outcome outcome = copying ? copyEntry(from, to, moving) : moveEntry(from, to);
        if (outcome == Outcome::Failed || outcome == Outcome::Cancelled)
            return outcome;
        all = all && outcome == Outcome::Done;
    }
    // A moved folder goes only when everything in it went; what was skipped
    // stays, and the folders holding it are skipped too, not failed.
    if (!moving)
        return Outcome::Done;
    if (!all)
        return Outcome::Skipped;
    if (::rmdir(src.constData()) != 0)
        return fail(HResultFromLastErrno(), src);
    return Outcome::Done;
}

TFileTransfer::Outcome TFileTransfer::copyFolder(const QByteArray& src, const struct stat& st,
                                                 const QByteArray& dst, bool replaceFile,
                                                 bool moving)
{
    if (!replaceFile) {
        if (::mkdir(dst.constData(), 0700) != 0)
            return fail(HResultFromLastErrno(), dst);
        const Outcome outcome = mergeChildren(src, dst, moving, true);
        if (outcome == Outcome::Done || outcome == Outcome::Skipped) {
            ::chmod(dst.constData(), st.st_mode & 07777);
            setTimes(dst, st, false);
        }
        return outcome;
    }
    // A file in the way goes only once the folder's copy is complete beside it.
    QByteArray made = FilePaths::Parent(dst) + "/.veldmark-XXXXXX";
    if (!::mkdtemp(made.data()))
        return fail(HResultFromLastErrno(), dst);
    const Outcome outcome = mergeChildren(src, made, false, true);
    if (outcome != Outcome::Done) {
        FilePaths::RemoveTree(made);
        return outcome;
    }
    ::chmod(made.constData(), st.st_mode & 07777);
    setTimes(made, st, false);
    if (::unlink(dst.constData()) != 0 || ::rename(made.constData(), dst.constData()) != 0) {
        const HRESULT hr = HResultFromLastErrno();
        FilePaths::RemoveTree(made);
        return fail(hr, dst);
    }
    if (moving && !FilePaths::RemoveTree(src))
        return fail(HResultFromLastErrno(), src);
    return Outcome::Done;
}

TFileTransfer::Outcome TFileTransfer::copyFileOrLink(const QByteArray& src, const struct stat& st,
                                                     const QByteArray& dst, bool replace,
                                                     bool moving)
{
    QByteArray temp = FilePaths::Parent(dst) + "/.veldmark-XXXXXX";
    if (S_ISLNK(st.st_mode)) {
        QByteArray target(4096, '\0');
        const ssize_t length = ::readlink(src.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return fail(HResultFromLastErrno(), src);
        target.truncate(length);
        if (!FilePaths::MakeTempSymlink(target, temp))
            return fail(HResultFromLastErrno(), dst);
    } else {
        const int in = ::open(src.constData(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return fail(HResultFromLastErrno(), src);
        const int out = ::mkostemp(temp.data(), O_CLOEXEC);
        if (out < 0) {
            const HRESULT hr = HResultFromLastErrno();
            ::close(in);
            return fail(hr, dst);
        }
        int error = copyData(in, out);
        if (!error && ::fchmod(out, st.st_mode & 07777) != 0)
            error = errno;
        if (!error) {
            const timespec times[2] = {st.st_atim, st.st_mtim};
            ::futimens(out, times);
        }
        // The source goes after a move, so the copy has to be on the disk first.
        if (!error && moving && ::fsync(out) != 0)
            error = errno;
        if (::close(out) != 0 && !error)
            error = errno;
        ::close(in);
        if (error) {
            ::unlink(temp.constData());
            return fail(HResultFromErrno(error), src);
        }
    }
    const bool placed = replace ? ::rename(temp.constData(), dst.constData()) == 0
                                : FilePaths::RenameNoReplace(temp, dst);
    if (!placed) {
        const HRESULT hr = HResultFromLastErrno();
        ::unlink(temp.constData());
        return fail(hr, dst);
    }
    if (S_ISLNK(st.st_mode))
        setTimes(dst, st, true);
    if (moving && ::unlink(src.constData()) != 0)
        return fail(HResultFromLastErrno(), src);
    return Outcome::Done;
}

TFileTransfer::Outcome TFileTransfer::moveEntry(const QByteArray& src, const QByteArray& dst)
{
    if (FilePaths::RenameNoReplace(src, dst))
        return Outcome::Done;
    if (errno == EXDEV)
        return copyEntry(src, dst, true);
    if (errno != EEXIST && errno != ENOTEMPTY)
        return fail(HResultFromLastErrno(), src);
    struct stat st;
    struct stat existing;
    if (!lstatPath(src, st))
        return fail(HResultFromLastErrno(), src);
    if (!lstatPath(dst, existing))
        return fail(HResultFromLastErrno(), dst);
    if (sameItem(st, existing))
        return Outcome::Skipped;
    if (isRealFolder(st) && isRealFolder(existing))
        return mergeChildren(src, dst, true, false);
    if (isRealFolder(existing))
        return refuse(QStringLiteral("Cannot replace the folder \"%1\" with a file.")
                          .arg(FileNameForDisplay(dst)));
    const Outcome answer = confirmReplace(dst);
    if (answer != Outcome::Done)
        return answer;
    // A folder over a file cannot be renamed in one step; the file goes first,
    // and the folder is still at its source if the rename then fails.
    if (isRealFolder(st) && ::unlink(dst.constData()) != 0)
        return fail(HResultFromLastErrno(), dst);
    if (::rename(src.constData(), dst.constData()) != 0)
        return fail(HResultFromLastErrno(), src);
    return Outcome::Done;
}

TFileTransfer::Outcome TFileTransfer::linkEntry(const QByteArray& src, const QByteArray& dst)
{
    struct stat existing;
    const bool exists = lstatPath(dst, existing);
    if (exists && isRealFolder(existing))
        return refuse(QStringLiteral("Cannot replace the folder \"%1\" with a link.")
                          .arg(FileNameForDisplay(dst)));
    if (exists) {
        const Outcome answer = confirmReplace(dst);
        if (answer != Outcome::Done)
            return answer;
        QByteArray temp = FilePaths::Parent(dst) + "/.veldmark-XXXXXX";
        if (!FilePaths::MakeTempSymlink(src, temp))
            return fail(HResultFromLastErrno(), dst);
        if (::rename(temp.constData(), dst.constData()) != 0) {
            const HRESULT hr = HResultFromLastErrno();
            ::unlink(temp.constData());
            return fail(hr, dst);
        }
        return Outcome::Done;
    }
    if (::symlink(src.constData(), dst.constData()) != 0)
        return fail(HResultFromLastErrno(), dst);
    return Outcome::Done;
}
