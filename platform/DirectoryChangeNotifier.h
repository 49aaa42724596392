#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <set>

class DirectoryChangeWatch;

// One inotify instance that many change handles (DirectoryChangeWatch) share:
// a handle is a set of watch descriptors inside it. The system allows few
// instances per user (128 on Debian, for every program together), so the
// change thread owns one of these rather than one instance per folder.
//
// Two handles may watch the same folder: the kernel gives both the same
// descriptor, which is removed only when the last of them lets it go. Its
// mask grows to the union of theirs and is not narrowed again when one goes:
// each handle filters the events for itself, so the worst is a wake-up more.
// Not thread-safe: one thread opens it, makes and destroys its handles and
// reads it. Handles must be destroyed before their notifier.
class DirectoryChangeNotifier
{
  public:
    DirectoryChangeNotifier() = default;
    ~DirectoryChangeNotifier();
    DirectoryChangeNotifier(const DirectoryChangeNotifier&) = delete;
    DirectoryChangeNotifier& operator=(const DirectoryChangeNotifier&) = delete;

    // False with errno set (EMFILE: the user's inotify instances ran out).
    bool Open();
    // Only once no handle is left.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // Readable when events wait; poll it beside other descriptors.
    int Fd() const { return m_fd; }
    int DescriptorCount() const { return static_cast<int>(m_descriptors.size()); }

    // Reads what the kernel queued and hands every event to the handles
    // watching its folder (DirectoryChangeWatch::TakeChanges collects it).
    // Reads a bounded amount per call, so a flood of events cannot hold the
    // caller away from its other descriptors; poll again for the rest.
    void ReadChanges();

  private:
    friend class DirectoryChangeWatch;

    // The watch descriptor for `path` (shared with other handles watching
    // the same folder), or -1 with errno set (ENOSPC: the system's watches
    // ran out).
    int addWatch(DirectoryChangeWatch* handle, const QByteArray& path, std::uint32_t mask);
    void removeWatch(DirectoryChangeWatch* handle, int wd);

    int m_fd = -1;
    std::map<int, std::set<DirectoryChangeWatch*>> m_descriptors; // wd -> its handles
};
