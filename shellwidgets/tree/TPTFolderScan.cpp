#include "shellwidgets/tree/TPTFolderScan.h"

#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"
#include "shell/namespace/TFileSystemEnum.h"
#include "shell/namespace/TFileSystemFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/ShellMalloc.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct TPTFolderScan::State {
    QByteArray path;
    std::uint32_t flags = 0;
    bool wantSubfolders = false;
    QSet<QByteArray> known;

    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false; // under mutex
    HRESULT result = S_OK;
    bool startFailed = false;
    std::vector<Entry> entries;

    ~State()
    {
        for (Entry& e : entries)
            ShellMemFree(e.item);
    }
};

TPTFolderScan::TPTFolderScan(const QByteArray& path, std::uint32_t flags, bool wantSubfolders,
                             QSet<QByteArray> known)
    : m_state(std::make_shared<State>())
{
    m_state->path = path;
    m_state->flags = flags;
    m_state->wantSubfolders = wantSubfolders;
    m_state->known = std::move(known);
    std::thread(Run, m_state).detach();
}

TPTFolderScan::~TPTFolderScan()
{
    Cancel();
}

void TPTFolderScan::Run(const std::shared_ptr<State>& state)
{
    std::vector<Entry> entries;
    HRESULT result = S_OK;
    bool startFailed = false;
    TComPtr<IEnumIDList> list;
    if (const HRESULT hr = TFileSystemEnum::Create(state->path, state->flags, {}, list.put());
        Failed(hr)) {
        result = hr;
        startFailed = true;
    } else {
        for (;;) {
            if (state->cancelled.load(std::memory_order_relaxed))
                break;
            PItemIDList item = nullptr;
            std::uint32_t fetched = 0;
            const HRESULT hr = list->Next(1, &item, &fetched);
            if (hr != S_OK || fetched == 0) {
                if (Failed(hr))
                    result = hr;
                break;
            }
            Entry entry{item, false};
            ItemData::View view;
            if (state->wantSubfolders && ItemData::Read(item, view) && view.isFolder()) {
                const QByteArray name(view.text.data(), qsizetype(view.text.size()));
                if (!state->known.contains(name))
                    entry.hasSubfolder =
                        DirectoryHasSubfolder(NamespacePaths::Join(state->path, view.text));
            }
            entries.push_back(entry);
        }
    }
    list.reset();
    std::lock_guard<std::mutex> lock(state->mutex);
    state->entries = std::move(entries);
    state->result = result;
    state->startFailed = startFailed;
    state->done = true;
    state->ended.notify_all();
}

bool TPTFolderScan::WaitFor(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_state->mutex);
    return m_state->ended.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                   [this] { return m_state->done; });
}

bool TPTFolderScan::Done() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->done;
}

void TPTFolderScan::Cancel()
{
    m_state->cancelled.store(true, std::memory_order_relaxed);
}

HRESULT TPTFolderScan::Result() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->result;
}

bool TPTFolderScan::StartFailed() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->startFailed;
}

std::vector<TPTFolderScan::Entry> TPTFolderScan::TakeEntries()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return std::move(m_state->entries);
}
