#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <memory>

class DirectoryChangeNotifier;

// Change filters of a directory watch; the shell controls use
// DirName (2) and FileName | DirName (3).
constexpr std::uint32_t FILE_NOTIFY_CHANGE_FILE_NAME = 0x01;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_DIR_NAME = 0x02;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x04;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_SIZE = 0x08;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;

// A change-notification handle: the watch descriptors of one folder, and with
// watchSubtree of every folder below it too (inotify watches single folders,
// so new subfolders are added as they appear, up to kMaxSubtreeWatches),
// inside the inotify instance of a DirectoryChangeNotifier. The notifier
// hands the handle its events; TakeChanges() says whether any matched the
// filter since the last call and whether the folder itself is gone.
// Used on the notifier's thread only.
class DirectoryChangeWatch
{
  public:
    static constexpr int kMaxSubtreeWatches = 4096;

    // Null when the folder cannot be watched, with errno saying why: missing,
    // not a folder, no permission, or ENOSPC when the system's watches ran out.
    static std::unique_ptr<DirectoryChangeWatch> Create(DirectoryChangeNotifier& notifier,
                                                        const QByteArray& path,
                                                        std::uint32_t filter, bool watchSubtree);
    ~DirectoryChangeWatch();
    DirectoryChangeWatch(const DirectoryChangeWatch&) = delete;
    DirectoryChangeWatch& operator=(const DirectoryChangeWatch&) = delete;

    struct Changes {
        bool matched = false; // something the filter asks for happened
        bool gone = false;    // the watched folder itself no longer exists
    };
    // What happened since the last call; the handle is clear again afterwards.
    Changes TakeChanges();

    // A folder of the subtree got no watch because the system's watches (or
    // this handle's share, kMaxSubtreeWatches) ran out: changes there go
    // unseen. Stays set.
    bool RanOutOfWatches() const { return m_ranOut; }
    int WatchCount() const { return static_cast<int>(m_folders.size()); }

  private:
    friend class DirectoryChangeNotifier;

    DirectoryChangeWatch(DirectoryChangeNotifier& notifier, std::uint32_t filter, bool subtree);
    bool addFolder(const QByteArray& path);
    void addSubfolders(const QByteArray& path, int depth);
    // One event of a descriptor of ours; wd -1 for a queue overflow.
    void receive(int wd, std::uint32_t mask, const QByteArray& name);

    DirectoryChangeNotifier& m_notifier;
    std::uint32_t m_mask;
    std::uint32_t m_filter;
    bool m_subtree;
    int m_rootWatch = -1;
    bool m_ranOut = false;
    Changes m_changes;
    std::map<int, QByteArray> m_folders; // watch descriptor -> folder path
};
