#include "platform/DirectoryChangeWatch.h"

#include <cerrno>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::uint32_t InotifyMask(std::uint32_t filter)
{
    std::uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (filter & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME))
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (filter & FILE_NOTIFY_CHANGE_ATTRIBUTES)
        mask |= IN_ATTRIB;
    if (filter & FILE_NOTIFY_CHANGE_SIZE)
        mask |= IN_MODIFY;
    if (filter & FILE_NOTIFY_CHANGE_LAST_WRITE)
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    return mask;
}

// Whether one event is of a kind the filter asks for.
bool Matches(const inotify_event& e, std::uint32_t filter)
{
    if (e.mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF))
        return true;
    if (e.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
        return (e.mask & IN_ISDIR) ? (filter & FILE_NOTIFY_CHANGE_DIR_NAME)
                                   : (filter & FILE_NOTIFY_CHANGE_FILE_NAME);
    if (e.mask & IN_ATTRIB)
        return filter & FILE_NOTIFY_CHANGE_ATTRIBUTES;
    if (e.mask & (IN_MODIFY | IN_CLOSE_WRITE))
        return filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    return false;
}

QByteArray Join(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

std::unique_ptr<DirectoryChangeWatch> DirectoryChangeWatch::Create(const QByteArray& path,
                                                                   std::uint32_t filter,
                                                                   bool watchSubtree)
{
    if (path.isEmpty())
        return nullptr;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<DirectoryChangeWatch> watch(new DirectoryChangeWatch(fd, filter, watchSubtree));
    if (!watch->AddFolder(path))
        return nullptr;
    watch->rootWatch_ = watch->folders_.begin()->first;
    if (watchSubtree)
        watch->AddSubfolders(path, 0);
    return watch;
}

DirectoryChangeWatch::DirectoryChangeWatch(int fd, std::uint32_t filter, bool subtree)
    : fd_(fd), mask_(InotifyMask(filter)), filter_(filter), subtree_(subtree)
{
}

DirectoryChangeWatch::~DirectoryChangeWatch() { ::close(fd_); }

bool DirectoryChangeWatch::AddFolder(const QByteArray& path)
{
    if (int(folders_.size()) >= kMaxSubtreeWatches)
        return false;
    const int wd = ::inotify_add_watch(fd_, path.constData(), mask_);
    if (wd < 0)
        return false;
    folders_[wd] = path;
    return true;
}

void DirectoryChangeWatch::AddSubfolders(const QByteArray& path, int depth)
{
    // Depth bound: a symlinked or bind-mounted loop must not recurse forever.
    if (depth > 64)
        return;
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray child = Join(path, name);
        // Some file systems leave the type unknown; lstat, like DT_DIR, never
        // takes a symlink for a folder, so links are not followed.
        struct stat st;
        const bool folder = entry->d_type == DT_DIR ||
                            (entry->d_type == DT_UNKNOWN && ::lstat(child.constData(), &st) == 0 &&
                             S_ISDIR(st.st_mode));
        if (folder && AddFolder(child))
            AddSubfolders(child, depth + 1);
    }
    ::closedir(dir);
}

DirectoryChangeWatch::Changes DirectoryChangeWatch::ReadChanges()
{
    Changes changes;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // EAGAIN: drained, the handle is armed again
        for (ssize_t offset = 0; offset < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + e->len);
            if (Matches(*e, filter_))
                changes.matched = true;
            if (e->mask & IN_IGNORED) {
                folders_.erase(e->wd);
                if (e->wd == rootWatch_)
                    changes.gone = true;
                continue;
            }
            if (e->wd == rootWatch_ && (e->mask & (IN_DELETE_SELF | IN_UNMOUNT)))
                changes.gone = true;
            if (subtree_ && (e->mask & (IN_CREATE | IN_MOVED_TO)) && (e->mask & IN_ISDIR) &&
                e->len > 0) {
                const auto folder = folders_.find(e->wd);
                if (folder != folders_.end()) {
                    const QByteArray child = Join(folder->second, QByteArray(e->name));
                    if (AddFolder(child))
                        AddSubfolders(child, 1);
                }
            }
        }
    }
    return changes;
}
