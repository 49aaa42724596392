#include "platform/VolumeSpace.h"

#include <QSet>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/statvfs.h>

namespace
{

struct TAnswer {
    bool done = false;
    bool ok = false;
    quint64 total = 0;
    quint64 free = 0;
};

bool askNow(const QByteArray& mountPoint, quint64& total, quint64& free)
{
    struct statvfs st;
    if (::statvfs(mountPoint.constData(), &st) != 0)
        return false;
    total = static_cast<quint64>(st.f_blocks) * st.f_frsize;
    free = static_cast<quint64>(st.f_bavail) * st.f_frsize;
    return true;
}

// Shared by the asking threads for the life of the process: a thread stuck
// on a dead server may outlive everything else.
struct TWaiting {
    std::mutex mutex;
    std::condition_variable answered;
    QSet<QByteArray> stuck;
};

TWaiting& waiting()
{
    static auto* instance = new TWaiting;
    return *instance;
}

} // namespace

bool VolumeSpace(const QByteArray& mountPoint, bool network, quint64& total, quint64& free)
{
    if (!network)
        return askNow(mountPoint, total, free);
    TWaiting& w = waiting();
    {
        std::lock_guard lock(w.mutex);
        if (w.stuck.contains(mountPoint))
            return false;
    }
    auto answer = std::make_shared<TAnswer>();
    std::thread([answer, mountPoint, &w] {
        quint64 t = 0;
        quint64 f = 0;
        const bool ok = askNow(mountPoint, t, f);
        std::lock_guard lock(w.mutex);
        *answer = TAnswer{true, ok, t, f};
        w.stuck.remove(mountPoint);
        w.answered.notify_all();
    }).detach();
    std::unique_lock lock(w.mutex);
    if (!w.answered.wait_for(lock, std::chrono::milliseconds(200), [&] { return answer->done; })) {
        w.stuck.insert(mountPoint);
        return false;
    }
    total = answer->total;
    free = answer->free;
    return answer->ok;
}
