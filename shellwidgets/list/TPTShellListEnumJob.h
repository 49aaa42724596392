#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QObject;

// One listing of a folder for the shell list. A full listing is EnumObjects,
// then Next one item at a time into a buffer that grows by 500. A name listing
// (for refreshes of a folder with a path) reads only the directory's names and
// examines just the entries whose names are not known yet: a refresh of a
// folder of 100 000 files then costs one pass over the directory, not 100 000
// stat calls. A folder that can hang (anything
// with a path: a network mount may not answer) is listed on a thread of its
// own, so the user-interface thread only ever waits a bounded time; when the
// listing ends, an event of the given type is posted to the target. A
// cancelled job posts nothing and is left to finish (or hang) on its own: the
// job's state lives as long as either side holds it.
class TPTShellListEnumJob : public std::enable_shared_from_this<TPTShellListEnumJob>
{
  public:
    // On a worker when onWorker is set, else at once on the calling thread
    // (then Finished() is true on return and nothing is posted).
    static std::shared_ptr<TPTShellListEnumJob> Start(IShellFolder* folder, HWND owner,
                                                      std::uint32_t flags, QObject* target,
                                                      int eventType, bool onWorker);
    // Lists the directory at path (bytes) with the enumeration flags, always on
    // a worker, which reads the names first and then waits for SetKnownNames
    // (or Cancel): entries with a known name are only marked present, the
    // others become new items as EnumObjects would make them.
    static std::shared_ptr<TPTShellListEnumJob>
    StartNameListing(const QByteArray& path, std::uint32_t flags, QObject* target, int eventType);
    void SetKnownNames(std::vector<std::string> knownNames);
    ~TPTShellListEnumJob();
    TPTShellListEnumJob(const TPTShellListEnumJob&) = delete;
    TPTShellListEnumJob& operator=(const TPTShellListEnumJob&) = delete;

    // Waits at most ms milliseconds; true when the listing has ended.
    bool WaitFor(int ms);
    bool Finished() const;
    // Nothing is posted from now on, and the worker stops at its next item.
    void Cancel();

    // After Finished(): the result of EnumObjects, and the last Next result
    // (S_FALSE or "no more items" for a normal end).
    HRESULT StartResult() const { return m_startResult; }
    HRESULT EndResult() const { return m_endResult; }
    // After Finished(): the items read, in listing order; the caller owns them.
    std::vector<PItemIDList> TakeItems();
    // After Finished() of a name listing: whether each known name is still there.
    std::vector<bool> TakePresent();

  private:
    TPTShellListEnumJob(IShellFolder* folder, std::uint32_t flags);
    void Run(HWND owner);
    void RunNameListing();
    void Finish(HRESULT start, HRESULT end, std::vector<PItemIDList> items);
    void StartWorker(QObject* target, int eventType, bool nameListing);

    TComPtr<IShellFolder> m_folder;
    const std::uint32_t m_flags;
    std::atomic<bool> m_cancelled{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_doneSignal;
    bool m_finished = false;
    QObject* m_target = nullptr; // guarded by m_mutex; null once cancelled
    int m_eventType = 0;

    HRESULT m_startResult = 0;
    HRESULT m_endResult = 0;
    std::vector<PItemIDList> m_items;

    QByteArray m_path;                     // name listings
    std::vector<std::string> m_knownNames; // guarded by m_mutex
    bool m_knownNamesGiven = false;
    std::vector<bool> m_present;
};
