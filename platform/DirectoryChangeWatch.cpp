#include "platform/DirectoryChangeWatch.h"

#include "platform/DirectoryChangeNotifier.h"

#include <cerrno>
#include <utility>

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>

namespace
{

std::uint32_t inotifyMask(std::uint32_t filter)
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
bool matches(std::uint32_t mask, std::uint32_t filter)
{
    if (mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF))
        return true;
    if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
        return (mask & IN_ISDIR) ? (filter & FILE_NOTIFY_CHANGE_DIR_NAME)
                                 : (filter & FILE_NOTIFY_CHANGE_FILE_NAME);
    if (mask & IN_ATTRIB)
        return filter & FILE_NOTIFY_CHANGE_ATTRIBUTES;
    if (mask & (IN_MODIFY | IN_CLOSE_WRITE))
        return filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    return false;
}

QByteArray join(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

std::unique_ptr<DirectoryChangeWatch>
DirectoryChangeWatch::Create(DirectoryChangeNotifier& notifier, const QByteArray& path,
                             std::uint32_t filter, bool watchSubtree)
{
    if (path.isEmpty()) {
        errno = ENOENT;
        return nullptr;
    }
    std::unique_ptr<DirectoryChangeWatch> watch(
        new DirectoryChangeWatch(notifier, filter, watchSubtree));
    if (!watch->addFolder(path))
        return nullptr;
    watch->m_rootWatch = watch->m_folders.begin()->first;
    if (watchSubtree)
        watch->addSubfolders(path, 0);
    return watch;
}

DirectoryChangeWatch::DirectoryChangeWatch(DirectoryChangeNotifier& notifier, std::uint32_t filter,
                                           bool subtree)
    : m_notifier(notifier), m_mask(inotifyMask(filter)), m_filter(filter), m_subtree(subtree)
{
}

DirectoryChangeWatch::~DirectoryChangeWatch()
{
    for (const auto& [wd, path] : m_folders)
        m_notifier.removeWatch(this, wd);
}

DirectoryChangeWatch::Changes DirectoryChangeWatch::TakeChanges()
{
    return std::exchange(m_changes, Changes{});
}

bool DirectoryChangeWatch::addFolder(const QByteArray& path)
{
    if (static_cast<int>(m_folders.size()) >= kMaxSubtreeWatches) {
        m_ranOut = true;
        errno = ENOSPC;
        return false;
    }
    const int wd = m_notifier.addWatch(this, path, m_mask);
    if (wd < 0) {
        if (errno == ENOSPC)
            m_ranOut = true;
        return false;
    }
    // A folder met twice (bind mounts) keeps its first path.
    m_folders.emplace(wd, path);
    return true;
}

void DirectoryChangeWatch::addSubfolders(const QByteArray& path, int depth)
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
        const QByteArray child = join(path, name);
        // Some file systems leave the type unknown; lstat, like DT_DIR, never
        // takes a symlink for a folder, so links are not followed.
        struct stat st;
        const bool folder = entry->d_type == DT_DIR ||
                            (entry->d_type == DT_UNKNOWN && ::lstat(child.constData(), &st) == 0 &&
                             S_ISDIR(st.st_mode));
        if (folder && addFolder(child))
            addSubfolders(child, depth + 1);
    }
    ::closedir(dir);
}

void DirectoryChangeWatch::receive(int wd, std::uint32_t mask, const QByteArray& name)
{
    // A shared descriptor carries the union of its handles' masks; the filter
    // keeps out what this handle did not ask for.
    if (matches(mask, m_filter))
        m_changes.matched = true;
    if (wd < 0)
        return;
    if (mask & IN_IGNORED) {
        m_folders.erase(wd);
        if (wd == m_rootWatch)
            m_changes.gone = true;
        return;
    }
    if (wd == m_rootWatch && (mask & (IN_DELETE_SELF | IN_UNMOUNT)))
        m_changes.gone = true;
    if (m_subtree && (mask & (IN_CREATE | IN_MOVED_TO)) && (mask & IN_ISDIR) && !name.isEmpty()) {
        const auto folder = m_folders.find(wd);
        if (folder != m_folders.end()) {
            const QByteArray child = join(folder->second, name);
            if (addFolder(child))
                addSubfolders(child, 1);
        }
    }
}
