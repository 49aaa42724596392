#include "platform/DirectoryChangeNotifier.h"

#include "platform/DirectoryChangeWatch.h"

#include <cerrno>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

DirectoryChangeNotifier::~DirectoryChangeNotifier()
{
    Close();
}

bool DirectoryChangeNotifier::Open()
{
    if (m_fd < 0)
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    return m_fd >= 0;
}

void DirectoryChangeNotifier::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_descriptors.clear();
}

int DirectoryChangeNotifier::addWatch(DirectoryChangeWatch* handle, const QByteArray& path,
                                      std::uint32_t mask)
{
    if (m_fd < 0) {
        errno = EBADF;
        return -1;
    }
    // IN_MASK_ADD: a folder another handle watches keeps what that one asked for.
    const int wd = ::inotify_add_watch(m_fd, path.constData(), mask | IN_MASK_ADD);
    if (wd >= 0)
        m_descriptors[wd].insert(handle);
    return wd;
}

void DirectoryChangeNotifier::removeWatch(DirectoryChangeWatch* handle, int wd)
{
    const auto found = m_descriptors.find(wd);
    if (found == m_descriptors.end())
        return;
    found->second.erase(handle);
    if (found->second.empty()) {
        ::inotify_rm_watch(m_fd, wd);
        m_descriptors.erase(found);
    }
}

void DirectoryChangeNotifier::ReadChanges()
{
    if (m_fd < 0)
        return;
    alignas(inotify_event) char buffer[16384];
    // About a thousand events per turn at most; the rest stays readable.
    for (int turn = 0; turn < 16; ++turn) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // EAGAIN: drained
        for (ssize_t offset = 0; offset < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + e->len);
            const QByteArray name = e->len ? QByteArray(e->name) : QByteArray();
            if (e->mask & IN_Q_OVERFLOW) {
                // Events were lost: every handle may have missed something.
                std::set<DirectoryChangeWatch*> all;
                for (const auto& [wd, users] : m_descriptors)
                    all.insert(users.begin(), users.end());
                for (DirectoryChangeWatch* handle : all)
                    handle->receive(-1, e->mask, name);
                continue;
            }
            const auto found = m_descriptors.find(e->wd);
            if (found == m_descriptors.end())
                continue; // a descriptor let go while its events were queued
            // A copy: a handle adds descriptors when new subfolders appear.
            const std::vector<DirectoryChangeWatch*> users(found->second.begin(),
                                                           found->second.end());
            for (DirectoryChangeWatch* handle : users)
                handle->receive(e->wd, e->mask, name);
            // The kernel dropped the watch (folder deleted, unmounted); the
            // handles have forgotten it on receiving the event.
            if (e->mask & IN_IGNORED)
                m_descriptors.erase(e->wd);
        }
    }
}
