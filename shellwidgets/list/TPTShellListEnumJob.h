#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <QPointer>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QObject;

// One listing of a folder for the shell list: EnumObjects, then Next one item
// at a time into a buffer that grows by 500. A folder that can hang (anything
// with a path: a network mount may not answer) is listed on a thread of its
// own, so the user-interface thread only ever waits a bounded time; when the
// listing ends, an event of the given type is posted to the target. A
// cancelled job posts nothing and is left to finish (or hang) on its own: the
// job's state lives as long as either side holds it.
class TPTShellListEnumJob
{
  public:
    // On a worker when onWorker is set, else at once on the calling thread
    // (then Finished() is true on return and nothing is posted).
    static std::shared_ptr<TPTShellListEnumJob> Start(IShellFolder* folder, HWND owner,
                                                      std::uint32_t flags, QObject* target,
                                                      int eventType, bool onWorker);
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

  private:
    TPTShellListEnumJob(IShellFolder* folder, std::uint32_t flags);
    void Run(HWND owner);

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
};
