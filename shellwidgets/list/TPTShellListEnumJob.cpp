#include "shellwidgets/list/TPTShellListEnumJob.h"

#include "platform/ErrnoMapping.h"
#include "platform/ResultCodes.h"
#include "shell/PTMessages.h"
#include "shell/namespace/HiddenNames.h"
#include "shell/namespace/ItemData.h"
#include "shell/shell95/IEnumIDList.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/ShellMalloc.h"

#include <QCoreApplication>

#include <cerrno>
#include <chrono>
#include <string_view>
#include <unordered_map>

#include <dirent.h>
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
    job->StartWorker(target, eventType, false);
    return job;
}

std::shared_ptr<TPTShellListEnumJob>
TPTShellListEnumJob::StartNameListing(const QByteArray& path, std::uint32_t flags,
                                      std::vector<std::string> knownNames, QObject* target,
                                      int eventType)
{
    std::shared_ptr<TPTShellListEnumJob> job(new TPTShellListEnumJob(nullptr, flags));
    job->m_path = path;
    job->m_knownNames = std::move(knownNames);
    job->StartWorker(target, eventType, true);
    return job;
}

void TPTShellListEnumJob::StartWorker(QObject* target, int eventType, bool nameListing)
{
    m_target = target;
    m_eventType = eventType;
    // Detached on purpose: a listing stuck on a dead mount must never be
    // joined by the user-interface thread. The worker keeps the job alive.
    std::shared_ptr<TPTShellListEnumJob> self = shared_from_this();
    std::thread([self, nameListing] {
        if (nameListing)
            self->RunNameListing();
        else
            self->Run(nullptr);
    }).detach();
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
    Finish(start, end, std::move(items));
}

void TPTShellListEnumJob::RunNameListing()
{
    std::vector<PItemIDList> items;
    std::vector<bool> present(m_knownNames.size(), false);
    DIR* dir = ::opendir(m_path.constData());
    if (!dir) {
        Finish(HResultFromLastErrno(), S_FALSE, {});
        return;
    }
    std::unordered_map<std::string_view, size_t> known;
    known.reserve(m_knownNames.size());
    for (size_t i = 0; i < m_knownNames.size(); ++i)
        known.emplace(m_knownNames[i], i);
    const THiddenNames hiddenNames = THiddenNames::ReadFromFolder(m_path);
    const bool withHidden = m_flags & SHCONTF_INCLUDEHIDDEN;
    const int fd = ::dirfd(dir);
    HRESULT end = S_FALSE;
    QByteArray bytes;
    for (;;) {
        if (m_cancelled.load(std::memory_order_relaxed))
            break;
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0)
                end = HResultFromLastErrno();
            break;
        }
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        // What the flags leave out is left out whether known or not, so a
        // refresh after the hidden option changed drops or adds those items.
        const bool hidden = name[0] == '.' || hiddenNames.Contains(name);
        if (hidden && !withHidden)
            continue;
        if (entry->d_type == DT_DIR && !(m_flags & SHCONTF_FOLDERS))
            continue;
        if (entry->d_type == DT_REG && !(m_flags & SHCONTF_NONFOLDERS))
            continue;
        if (const auto it = known.find(name); it != known.end()) {
            present[it->second] = true;
            continue;
        }
        const int dirHint = entry->d_type == DT_DIR ? 1 : (entry->d_type == DT_UNKNOWN ? -1 : 0);
        if (Failed(ItemData::ReadFileSystemEntry(fd, m_path, name, hidden, dirHint, bytes)))
            continue; // gone again already
        const bool folder = static_cast<std::uint8_t>(bytes[3]) & ItemData::FsFolder;
        if (!(m_flags & (folder ? SHCONTF_FOLDERS : SHCONTF_NONFOLDERS)))
            continue;
        if (PItemIDList item = ItemData::ListFromItems(bytes))
            items.push_back(item);
    }
    ::closedir(dir);
    {
        std::lock_guard lock(m_mutex);
        m_present = std::move(present);
    }
    Finish(S_OK, end, std::move(items));
}

void TPTShellListEnumJob::Finish(HRESULT start, HRESULT end, std::vector<PItemIDList> items)
{
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

std::vector<bool> TPTShellListEnumJob::TakePresent()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_present, {});
}

std::vector<PItemIDList> TPTShellListEnumJob::TakeItems()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_items, {});
}
