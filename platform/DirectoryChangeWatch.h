#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <memory>

// Change filters of a directory watch; the shell controls use
// DirName (2) and FileName | DirName (3).
constexpr std::uint32_t FILE_NOTIFY_CHANGE_FILE_NAME = 0x01;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_DIR_NAME = 0x02;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x04;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_SIZE = 0x08;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;

// A change-notification handle: one inotify instance watching one folder, and
// with watchSubtree every folder below it too (each one needs its own inotify
// watch, so new subfolders are added as they appear, up to kMaxSubtreeWatches).
// The descriptor becomes readable when something happened; ReadChanges()
// drains it (re-arming the handle) and tells whether any of it matched the
// filter. Not thread-safe: one thread at a time uses a handle.
class DirectoryChangeWatch {
public:
    static constexpr int kMaxSubtreeWatches = 4096;

    // Null when the folder cannot be watched (missing, not a folder, no
    // permission, or the system's inotify limits reached).
    static std::unique_ptr<DirectoryChangeWatch> Create(const QByteArray& path,
                                                        std::uint32_t filter, bool watchSubtree);
    ~DirectoryChangeWatch();
    DirectoryChangeWatch(const DirectoryChangeWatch&) = delete;
    DirectoryChangeWatch& operator=(const DirectoryChangeWatch&) = delete;

    int Fd() const { return fd_; }

    struct Changes {
        bool matched = false; // something the filter asks for happened
        bool gone = false;    // the watched folder itself no longer exists
    };
    Changes ReadChanges();

private:
    DirectoryChangeWatch(int fd, std::uint32_t filter, bool subtree);
    bool AddFolder(const QByteArray& path);
    void AddSubfolders(const QByteArray& path, int depth);

    int fd_;
    std::uint32_t mask_;
    std::uint32_t filter_;
    bool subtree_;
    int rootWatch_ = -1;
    std::map<int, QByteArray> folders_; // watch descriptor -> folder path
};
