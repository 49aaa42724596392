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
    TComPtr<IEnumIDList> list; // opened by the caller, else opened on the worker

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

TPTFolderScan::TPTFolderScan(TComPtr<IEnumIDList> list, const QByteArray& path, bool wantSubfolders,
                             QSet<QByteArray> known)
    : m_state(std::make_shared<State>())
{
    m_state->list = std::move(list);
    m_state->path = path;
    m_state->wantSubfolders = wantSubfolders;
    m_state->known = std::move(known);
    std::thread(Run, m_state).detach();
}

TPTFolderScan::~TPTFolderScan()
{
    Cancel();
}

void TPTFolderScan::CheckSubfolders(const State& state, Entry& entry)
{
    ItemData::View view;
    if (!ItemData::Read(entry.item, view))
        return;
    // Volumes are not examined: one dead mount would hold the whole list of
    // volumes back, and a volume nearly always has folders.
    if (view.kind != ItemData::KindFileSystem || !view.isFolder() || state.path.isEmpty())
        return;
    if (state.known.contains(QByteArray(view.text.data(), qsizetype(view.text.size()))))
        return; // shown already: its button stays as it is
    entry.subfolderChecked = true;
    entry.hasSubfolder = DirectoryHasSubfolder(NamespacePaths::Join(state.path, view.text));
}

void TPTFolderScan::Run(const std::shared_ptr<State>& state)
{
    std::vector<Entry> entries;
    HRESULT result = S_OK;
    bool startFailed = false;
    TComPtr<IEnumIDList> list = std::move(state->list);
    HRESULT opened = S_OK;
    if (!list)
        opened = TFileSystemEnum::Create(state->path, state->flags, {}, list.put());
    if (Failed(opened)) {
        result = opened;
        startFailed = true;
    } else {
        for (;;) {
            if (state->cancelled.load(std::memory_order_relaxed))
                break;
            PItemIDList item = nullptr;
            std::uint32_t fetched = 0;
            const HRESULT hr = list->Next(1, &item, &fetched);
            if (hr != S_OK || fetched == 0) {
                if (Failed(hr) && hr != HRESULT_NO_MORE_ITEMS)
                    result = hr;
                break;
            }
            Entry entry{item, false, false};
            if (state->wantSubfolders)
                CheckSubfolders(*state, entry);
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
