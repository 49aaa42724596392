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
#include <functional>
#include <string_view>
#include <thread>

#include <dirent.h>

namespace
{

constexpr size_t kGrowBy = 500;

// Positions of names in a list, found by name: an open-addressing table in one
// block, since a refresh builds one for every name of the folder.
class TNameIndex
{
  public:
    static constexpr std::size_t npos = std::size_t(-1);

    explicit TNameIndex(const std::vector<std::string>& names) : m_names(names)
    {
        std::size_t capacity = 16;
        while (capacity < 2 * names.size())
            capacity *= 2;
        m_slots.assign(capacity, 0);
        m_mask = capacity - 1;
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::size_t slot = std::hash<std::string_view>()(names[i]) & m_mask;
            while (m_slots[slot] != 0)
                slot = (slot + 1) & m_mask;
            m_slots[slot] = std::uint32_t(i + 1);
        }
    }

    std::size_t Find(std::string_view name) const
    {
        for (std::size_t slot = std::hash<std::string_view>()(name) & m_mask; m_slots[slot] != 0;
             slot = (slot + 1) & m_mask)
            if (m_names[m_slots[slot] - 1] == name)
                return m_slots[slot] - 1;
        return npos;
    }

  private:
    const std::vector<std::string>& m_names;
    std::vector<std::uint32_t> m_slots; // name index + 1; 0 is empty
    std::size_t m_mask = 0;
};

} // namespace

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

std::shared_ptr<TPTShellListEnumJob> TPTShellListEnumJob::StartNameListing(const QByteArray& path,
                                                                           std::uint32_t flags,
                                                                           QObject* target,
                                                                           int eventType)
{
    std::shared_ptr<TPTShellListEnumJob> job(new TPTShellListEnumJob(nullptr, flags));
    job->m_path = path;
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
    DIR* dir = ::opendir(m_path.constData());
    if (!dir) {
        // Not waiting for the names: whoever gives them finds the job ended.
        Finish(HResultFromLastErrno(), S_FALSE, {});
        return;
    }
    // First the directory's names, while the caller collects the names it knows.
    struct TEntry {
        std::size_t offset;
        std::size_t length;
        unsigned char type;
    };
    std::string buffer;
    std::vector<TEntry> entries;
    const THiddenNames hiddenNames = THiddenNames::ReadFromFolder(m_path);
    const bool withHidden = m_flags & SHCONTF_INCLUDEHIDDEN;
    HRESULT end = S_FALSE;
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
        if (!withHidden && (name[0] == '.' || hiddenNames.Contains(name)))
            continue;
        if (entry->d_type == DT_DIR && !(m_flags & SHCONTF_FOLDERS))
            continue;
        if (entry->d_type == DT_REG && !(m_flags & SHCONTF_NONFOLDERS))
            continue;
        entries.push_back({buffer.size(), name.size(), entry->d_type});
        buffer.append(name);
    }

    std::vector<std::string> knownNames;
    {
        std::unique_lock lock(m_mutex);
        m_doneSignal.wait(lock, [this] { return m_knownNamesGiven || m_cancelled.load(); });
        knownNames = std::move(m_knownNames);
    }
    std::vector<bool> present(knownNames.size(), false);
    std::vector<PItemIDList> items;
    const TNameIndex known(knownNames);
    const int fd = ::dirfd(dir);
    QByteArray bytes;
    for (const TEntry& entry : entries) {
        if (m_cancelled.load(std::memory_order_relaxed))
            break;
        const std::string_view name(buffer.data() + entry.offset, entry.length);
        if (const std::size_t index = known.Find(name); index != TNameIndex::npos) {
            present[index] = true;
            continue;
        }
        const bool hidden = name[0] == '.' || hiddenNames.Contains(name);
        const int dirHint = entry.type == DT_DIR ? 1 : (entry.type == DT_UNKNOWN ? -1 : 0);
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

void TPTShellListEnumJob::SetKnownNames(std::vector<std::string> knownNames)
{
    std::lock_guard lock(m_mutex);
    m_knownNames = std::move(knownNames);
    m_knownNamesGiven = true;
    m_doneSignal.notify_all();
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
    m_doneSignal.notify_all(); // a worker waiting for the known names stops
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
