#include "shellwidgets/list/TPTShellListEnumJob.h"

#include "platform/ResultCodes.h"
#include "shell/PTMessages.h"
#include "shell/shell95/IEnumIDList.h"
#include "shell/utils/ShellMalloc.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace
{
constexpr size_t kGrowBy = 500;
}

std::shared_ptr<TPTShellListEnumJob> TPTShellListEnumJob::Start(IShellFolder* folder, HWND owner,
                                                                std::uint32_t flags,
                                                                QObject* target, int eventType,
                                                                bool onWorker)
{
    std::shared_ptr<TPTShellListEnumJob> job(new TPTShellListEnumJob(folder, flags));
    if (!onWorker) {
        job->Run(owner);
        return job;
    }
    job->m_target = target;
    job->m_eventType = eventType;
    // Detached on purpose: a listing stuck on a dead mount must never be
    // joined by the user-interface thread. The worker keeps the job alive.
    std::thread([job] { job->Run(nullptr); }).detach();
    return job;
}

TPTShellListEnumJob::TPTShellListEnumJob(IShellFolder* folder, std::uint32_t flags)
    : m_folder(TComPtr<IShellFolder>::share(folder)), m_flags(flags)
{
}

TPTShellListEnumJob::~TPTShellListEnumJob()
{
    for (PItemIDList item : m_items)
        ShellMemFree(item);
}

void TPTShellListEnumJob::Run(HWND owner)
{
    std::vector<PItemIDList> items;
    HRESULT end = S_FALSE;
    TComPtr<IEnumIDList> enumList;
    const HRESULT start = m_folder->EnumObjects(owner, m_flags, enumList.put());
    if (Succeeded(start) && enumList) {
        items.reserve(kGrowBy);
        for (;;) {
            if (m_cancelled.load(std::memory_order_relaxed)) {
                end = S_FALSE;
                break;
            }
            PItemIDList item = nullptr;
            std::uint32_t fetched = 0;
            end = enumList->Next(1, &item, &fetched);
            if (end != S_OK || fetched != 1 || !item) {
                if (item)
                    ShellMemFree(item);
                if (end == S_OK)
                    end = S_FALSE;
                break;
            }
            if (items.size() == items.capacity())
                items.reserve(items.capacity() + kGrowBy);
            items.push_back(item);
        }
    }
    enumList = {};
    std::lock_guard lock(m_mutex);
    m_startResult = start;
    m_endResult = end;
    m_items = std::move(items);
    m_finished = true;
    m_doneSignal.notify_all();
    if (m_target)
        QCoreApplication::postEvent(m_target, new TPTMessageEvent(m_eventType, 0, 0));
}

bool TPTShellListEnumJob::WaitFor(int ms)
{
    std::unique_lock lock(m_mutex);
    return m_doneSignal.wait_for(lock, std::chrono::milliseconds(ms),
                                 [this] { return m_finished; });
}

bool TPTShellListEnumJob::Finished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished;
}

void TPTShellListEnumJob::Cancel()
{
    m_cancelled = true;
    std::lock_guard lock(m_mutex);
    m_target = nullptr;
}

std::vector<PItemIDList> TPTShellListEnumJob::TakeItems()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_items, {});
}
