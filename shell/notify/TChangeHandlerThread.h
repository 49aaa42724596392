#pragma once

#include "platform/AutoResetEvent.h"
#include "platform/DirectoryChangeWatch.h"

#include <QThread>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class QObject;
class QString;

// Waits on up to 63 folder watches and posts one TPTMessageEvent (message
// number as given, the slot index as WParam) to the target for every wake-up
// of a watch. The worker touches nothing but its watches and QCoreApplication::
// postEvent, so the controls stay single-threaded.
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
    // not watched. On success slot receives the watch's slot index.
    bool AddWatch(const QString& path, std::uint32_t filter, int& slot, bool watchSubtree);
    void RemoveAllWatches();

protected:
    void run() override;

private:
    enum Command : std::uint8_t { Add = 0, RemoveAll = 2, Quit = 3 };
    bool SendCommand(Command command);
    void CarryOut(Command command);
    void Report(int slot);

    AutoResetEvent wake_;
    AutoResetEvent done_;
    QObject* const target_;
    const int message_;
    // Owned by whichever thread exchanges it out: the owner puts a new watch
    // in, the worker takes it into a slot.
    std::atomic<DirectoryChangeWatch*> pending_{nullptr};
    std::atomic<int> resultSlot_{-1};
    std::atomic<std::uint8_t> command_{Add};
    // Changed only by the worker; the owner reads them after the worker ended.
    std::array<std::unique_ptr<DirectoryChangeWatch>, kSlotCount> slots_;
};
