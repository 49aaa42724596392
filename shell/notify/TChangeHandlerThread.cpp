#include "shell/notify/TChangeHandlerThread.h"

#include "platform/FileNameCodec.h"
#include "shell/PTMessages.h"
#include "shell/notify/TNoLoopEventDispatcher.h"

#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <poll.h>
#include <vector>

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
    std::unique_ptr<DirectoryChangeWatch> watch =
        DirectoryChangeWatch::Create(FileNameFromString(path), filter, watchSubtree);
    if (!watch)
        return false;
    // A watch left over from a command that timed out is ours to free.
    delete pending_.exchange(watch.release(), std::memory_order_acq_rel);
    if (!SendCommand(Add))
        return false;
    slot = resultSlot_.load(std::memory_order_acquire);
    return slot != -1;
}

void TChangeHandlerThread::RemoveAllWatches() { SendCommand(RemoveAll); }

void TChangeHandlerThread::CarryOut(Command command)
{
    switch (command) {
    case Add: {
        int slot = -1;
        for (int i = 0; i < kSlotCount && slot < 0; ++i)
            if (!slots_[i])
                slot = i;
        // With no free slot the pending watch stays where it is.
        if (slot >= 0)
            slots_[slot].reset(pending_.exchange(nullptr, std::memory_order_acq_rel));
        resultSlot_.store(slot, std::memory_order_release);
        break;
    }
    case RemoveAll:
        for (auto& watch : slots_)
            watch.reset();
        break;
    case Quit:
        break;
    }
}

void TChangeHandlerThread::Report(int slot)
{
    if (target_)
        QCoreApplication::postEvent(target_, new TPTMessageEvent(message_, slot, 0));
}

void TChangeHandlerThread::run()
{
    std::vector<pollfd> waits;
    std::vector<int> slotAt;
    for (;;) {
        waits.assign(1, pollfd{wake_.Fd(), POLLIN, 0});
        slotAt.assign(1, -1);
        for (int i = 0; i < kSlotCount; ++i)
            if (slots_[i]) {
                waits.push_back(pollfd{slots_[i]->Fd(), POLLIN, 0});
                slotAt.push_back(i);
            }
        if (::poll(waits.data(), waits.size(), -1) < 0) {
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
        // Like a wait on many handles, serve the lowest signalled one per turn.
        for (std::size_t p = 1; p < waits.size(); ++p) {
            if (!waits[p].revents)
                continue;
            auto& watch = slots_[slotAt[p]];
            if (waits[p].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                watch.reset(); // abandoned
                break;
            }
            const DirectoryChangeWatch::Changes changes = watch->ReadChanges();
            if (changes.matched)
                Report(slotAt[p]);
            if (changes.gone)
                watch.reset(); // cannot be re-armed any more
            break;
        }
    }
}
