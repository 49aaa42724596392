#pragma once

#include "platform/AutoResetEvent.h"
#include "platform/DirectoryChangeNotifier.h"
#include "platform/DirectoryChangeWatch.h"

#include <QByteArray>
#include <QThread>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class QObject;
class QString;

// Waits on up to 63 folder watches and posts one TPTMessageEvent (message
// number as given, the slot index as WParam) to the target for every wake-up
// of a watch. The watches are sets of descriptors in one inotify instance
// that the worker owns (DirectoryChangeNotifier): instances are few per user,
// watches many. The worker touches nothing but its watches and
// QCoreApplication::postEvent, so the controls stay single-threaded.
//
// Commands (add, remove all, quit) are handed over through the atomics below,
// ordered by the wake and done events; nothing is locked.
class TChangeHandlerThread : public QThread {
public:
    static constexpr int kSlotCount = 63; // one wait position is the wake event
    static constexpr int kCommandTimeoutMs = 2000;
    static constexpr int kShutdownTimeoutMs = 30000;

    // target lives on the user-interface thread and must outlive this object
    // (its owner destroys the thread first); all members but run() are called
    // on that thread.
    TChangeHandlerThread(QObject* target, int message);
    ~TChangeHandlerThread() override;

    // False for an empty path, a folder that cannot be watched, a full slot
    // table or a worker that did not answer in time; the folder is then simply
    // not watched. On success slot receives the watch's slot index. The
    // worker makes the watch (a subtree is scanned there, not on the caller's
    // thread); a watch finished after the time-out still takes its slot.
    bool AddWatch(const QString& path, std::uint32_t filter, int& slot, bool watchSubtree);
    void RemoveAllWatches();

    // The system's watches (or instances) ran out for this thread: a folder
    // got no watch at all, or part of a subtree went unwatched. The first
    // time, one line goes to the log for the process; this answers true once
    // afterwards, so the owner can say so once too (a status line).
    bool TakeWatchesRanOut();

protected:
    void run() override;

private:
    enum Command : std::uint8_t { Add = 0, RemoveAll = 2, Quit = 3 };
    bool SendCommand(Command command);
    void CarryOut(Command command);
    void AddPendingWatch();
    void ServeChanges();
    void NoteWatchesRanOut();
    void Report(int slot);

    struct WatchRequest {
        QByteArray path;
        std::uint32_t filter;
        bool subtree;
    };

    AutoResetEvent wake_;
    AutoResetEvent done_;
    QObject* const target_;
    const int message_;
    // Owned by whichever thread exchanges it out: the owner puts a request
    // in, the worker takes it and makes the watch.
    std::atomic<WatchRequest*> pending_{nullptr};
    std::atomic<int> resultSlot_{-1};
    std::atomic<std::uint8_t> command_{Add};
    std::atomic<bool> ranOut_{false};
    std::atomic<bool> ranOutTaken_{false};
    // Used only by the worker; destroyed after it ended, the watches first.
    DirectoryChangeNotifier notifier_;
    std::array<std::unique_ptr<DirectoryChangeWatch>, kSlotCount> slots_;
};
