#include "shell/notify/TChangeHandlerThread.h"

#include "platform/FileNameCodec.h"
#include "shell/PTMessages.h"
#include "shell/notify/TNoLoopEventDispatcher.h"

#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <poll.h>

TChangeHandlerThread::TChangeHandlerThread(QObject* target, int message)
    : target_(target), message_(message)
{
    // Without its events the worker could never be woken or answer; it is not
    // started, so commands fail at once and the end waits for nothing. It runs
    // no Qt event loop, so it gets a dispatcher that needs no descriptors.
    if (wake_.IsValid() && done_.IsValid()) {
        setEventDispatcher(new TNoLoopEventDispatcher);
        start();
    }
}

TChangeHandlerThread::~TChangeHandlerThread()
{
    command_.store(Quit, std::memory_order_release);
    wake_.Set();
    if (!wait(kShutdownTimeoutMs)) {
        terminate();
        wait();
    }
    delete pending_.exchange(nullptr);
    // slots_ close their watches as the member is destroyed.
}

bool TChangeHandlerThread::SendCommand(Command command)
{
    if (!isRunning())
        return false;
    command_.store(command, std::memory_order_release);
    done_.Reset();
    wake_.Set();
    return done_.Wait(kCommandTimeoutMs);
}

bool TChangeHandlerThread::AddWatch(const QString& path, std::uint32_t filter, int& slot,
                                    bool watchSubtree)
{
    if (path.isEmpty())
        return false;
    // A request left over from a command that timed out is ours to free.
    delete pending_.exchange(new WatchRequest{FileNameFromString(path), filter, watchSubtree},
                             std::memory_order_acq_rel);
    if (!SendCommand(Add))
        return false;
    slot = resultSlot_.load(std::memory_order_acquire);
    return slot != -1;
}

void TChangeHandlerThread::RemoveAllWatches() { SendCommand(RemoveAll); }

void TChangeHandlerThread::CarryOut(Command command)
{
    switch (command) {
    case Add:
        AddPendingWatch();
        break;
    case RemoveAll:
        for (auto& watch : slots_)
            watch.reset();
        break;
    case Quit:
        break;
    }
}

void TChangeHandlerThread::AddPendingWatch()
{
    int slot = -1;
    for (int i = 0; i < kSlotCount && slot < 0; ++i)
        if (!slots_[i])
            slot = i;
    resultSlot_.store(-1, std::memory_order_release);
    // With no free slot the pending request stays where it is.
    if (slot < 0)
        return;
    std::unique_ptr<WatchRequest> request(pending_.exchange(nullptr, std::memory_order_acq_rel));
    if (!request)
        return;
    // The instance is opened on first need, and again after one was refused.
    if (!notifier_.Open()) {
        if (errno == EMFILE)
            NoteWatchesRanOut();
        return;
    }
    std::unique_ptr<DirectoryChangeWatch> watch =
        DirectoryChangeWatch::Create(notifier_, request->path, request->filter, request->subtree);
    if (!watch) {
        if (errno == ENOSPC)
            NoteWatchesRanOut();
        return;
    }
    if (watch->RanOutOfWatches())
        NoteWatchesRanOut();
    slots_[slot] = std::move(watch);
    resultSlot_.store(slot, std::memory_order_release);
}

void TChangeHandlerThread::NoteWatchesRanOut()
{
    if (ranOut_.exchange(true, std::memory_order_acq_rel))
        return;
    static std::atomic<bool> logged{false};
    if (!logged.exchange(true))
        qWarning("Folder change notification: watches have run out (fs.inotify.max_user_watches "
                 "or max_user_instances, or more than %d folders below one watched folder); some "
                 "folders are not refreshed when they change.",
                 DirectoryChangeWatch::kMaxSubtreeWatches);
}

bool TChangeHandlerThread::TakeWatchesRanOut()
{
    return ranOut_.load(std::memory_order_acquire) &&
           !ranOutTaken_.exchange(true, std::memory_order_acq_rel);
}

void TChangeHandlerThread::ServeChanges()
{
    notifier_.ReadChanges();
    for (int i = 0; i < kSlotCount; ++i) {
        auto& watch = slots_[i];
        if (!watch)
            continue;
        const DirectoryChangeWatch::Changes changes = watch->TakeChanges();
        if (changes.matched)
            Report(i);
        if (watch->RanOutOfWatches())
            NoteWatchesRanOut();
        if (changes.gone)
            watch.reset(); // nothing left to watch
    }
}

void TChangeHandlerThread::Report(int slot)
{
    if (target_)
        QCoreApplication::postEvent(target_, new TPTMessageEvent(message_, slot, 0));
}

void TChangeHandlerThread::run()
{
    for (;;) {
        pollfd waits[2] = {{wake_.Fd(), POLLIN, 0}, {notifier_.Fd(), POLLIN, 0}};
        const nfds_t count = notifier_.IsOpen() ? 2 : 1;
        if (::poll(waits, count, -1) < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return; // the wait itself is broken: nothing more can be watched
        }
        if (waits[0].revents & POLLIN) {
            wake_.Reset();
            const auto command = Command(command_.load(std::memory_order_acquire));
            if (command == Quit)
                return;
            CarryOut(command);
            done_.Set();
            continue;
        }
        if (count < 2 || !waits[1].revents)
            continue;
        if (waits[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            // The instance is abandoned, and every watch in it.
            for (auto& watch : slots_)
                watch.reset();
            notifier_.Close();
            continue;
        }
        // Every watch with news reports once per turn, in slot order.
        ServeChanges();
    }
}
