// The namespace on a folder of 100 000 files and 1 000 subfolders: listing it
// through EnumObjects with attributes and in-folder names for every item, then
// sorting in the folder's CompareIDs order (as the file list sorts), next to
// readdir + lstat of the same folder in the same run (counter vs_raw: the
// listing's time over the best raw time; goal < 1.5). Then a sort by each of
// the four columns, the refresh merge of a new enumeration into the previous
// one (1 % of the entries gone, 1 % new), adding to a sorted TPTPidlList,
// searching an unsorted one, and path -> list -> path round trips per second.

#include "bench/common/BenchClocks.h"
#include "shell/UPTShellUtils.h"
#include "shell/namespace/TItemOrder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace
{

constexpr int kFiles = 100000;
constexpr int kFolders = 1000;

struct Fixture {
    QTemporaryDir dir;
    QByteArray path;

    Fixture()
    {
        path = QFile::encodeName(dir.path()) + "/big";
        ::mkdir(path.constData(), 0755);
        for (int i = 0; i < kFolders; ++i)
            ::mkdir((path + "/folder " + QByteArray::number(i)).constData(), 0755);
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray name =
                path + "/file_" + QByteArray::number(i) + (i % 3 ? ".txt" : ".csv");
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Everything the folder lists, hidden entries included; the caller frees them.
std::vector<PItemIDList> enumerateAll(IShellFolder* folder)
{
    std::vector<PItemIDList> items;
    items.reserve(kFiles + kFolders);
    TComPtr<IEnumIDList> enumList;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                        enumList.put());
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (enumList->Next(1, &item, &fetched) == S_OK)
        items.push_back(item);
    return items;
}

// Wall and process CPU time of one stretch of work, in seconds.
struct Stopwatch {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = ProcessCpuSeconds();

    void addTo(double& wallTotal, double& cpuTotal) const
    {
        wallTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        cpuTotal += ProcessCpuSeconds() - cpu;
    }
};

void BM_RawReaddirLstat(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        RawReaddirLstat(f.path);
    state.counters["items"] = kFiles + kFolders;
}

// Each iteration also lists the folder raw (not counted in the case's time),
// so the two figures of vs_raw share the machine's load of the moment:
// vs_raw is the ratio of process CPU times, vs_raw_wall of wall times.
void BM_EnumObjectsAttributesNamesSort(benchmark::State& state)
{
    Fixture& f = fixture();
    TIdListPtr folderList;
    ShellGetIdListFromPath(QFile::decodeName(f.path), folderList.put());
    TComPtr<IShellFolder> folder;
    ShellGetFolderFromIdList(folderList.get(), folder.put());

    double rawWall = 0, rawCpu = 0, shellWall = 0, shellCpu = 0;
    long listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const Stopwatch raw;
        RawReaddirLstat(f.path);
        raw.addTo(rawWall, rawCpu);
        state.ResumeTiming();

        const Stopwatch shell;
        const std::vector<PItemIDList> items = enumerateAll(folder.get());
        for (PItemIDList p : items) {
            PCItemIDList one = p;
            std::uint32_t attributes = 0xF20B0000;
            folder->GetAttributesOf(1, &one, &attributes);
            TStrRet name;
            folder->GetDisplayNameOf(p, SHGDN_INFOLDER, &name);
            benchmark::DoNotOptimize(StrretToString(p, name));
            StrretFree(name);
        }
        const std::vector<PCItemIDList> lists(items.begin(), items.end());
        benchmark::DoNotOptimize(TItemOrder(folder.get(), 0).SortedIndexes(lists));
        listed = static_cast<long>(items.size());
        for (PItemIDList p : items)
            ShellMemFree(p);
        shell.addTo(shellWall, shellCpu);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["items"] = static_cast<double>(listed);
    state.counters["raw_ms"] = rawCpu / n * 1000;
    state.counters["raw_wall_ms"] = rawWall / n * 1000;
    state.counters["vs_raw"] = shellCpu / rawCpu;
    state.counters["vs_raw_wall"] = shellWall / rawWall;
}

// The folder's items, enumerated once (not timed) for the cases below.
struct Listing {
    TComPtr<IShellFolder> folder;
    std::vector<TIdListPtr> items;

    Listing()
    {
        Fixture& f = fixture();
        TIdListPtr folderList;
        ShellGetIdListFromPath(QFile::decodeName(f.path), folderList.put());
        ShellGetFolderFromIdList(folderList.get(), folder.put());
        for (PItemIDList item : enumerateAll(folder.get()))
            items.emplace_back(item);
    }

    std::vector<PCItemIDList> lists() const
    {
        std::vector<PCItemIDList> out;
        for (const TIdListPtr& p : items)
            out.push_back(p.get());
        return out;
    }
};

Listing& listing()
{
    static Listing l;
    return l;
}

void BM_SortByColumn(benchmark::State& state)
{
    Listing& l = listing();
    const std::vector<PCItemIDList> lists = l.lists();
    const auto column = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(TItemOrder(l.folder.get(), column).SortedIndexes(lists));
    state.counters["items"] = static_cast<double>(lists.size());
}

// The previous view's entries (borrowed, in a list comparing through the
// folder) against a new enumeration owned by its list, as a refresh has them.
void BM_RefreshMerge(benchmark::State& state)
{
    Listing& l = listing();
    const auto count = std::min<size_t>(static_cast<size_t>(state.range(0)), l.items.size());
    long vanished = 0;
    long added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TPTPidlList previous;
        previous.SetShellFolder(l.folder.get());
        previous.SetCapacity(static_cast<int>(count));
        TPTPidlList refreshed;
        refreshed.SetMalloc(ShellIMalloc());
        refreshed.SetCapacity(static_cast<int>(count));
        for (size_t i = 0; i < count; ++i) {
            if (i % 100 != 0)
                previous.Add(l.items[i].get());
            if (i % 100 != 50)
                refreshed.Add(CopyIdList(nullptr, l.items[i].get()));
        }
        state.ResumeTiming();
        previous.RemoveCommonEntries(refreshed);
        vanished = previous.GetCount();
        added = refreshed.GetCount();
        state.PauseTiming();
        refreshed.Clear();
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(count);
    state.counters["vanished"] = static_cast<double>(vanished);
    state.counters["added"] = static_cast<double>(added);
}

void BM_SortedAdd(benchmark::State& state)
{
    Listing& l = listing();
    for (auto _ : state) {
        TPTPidlList list;
        list.SetShellFolder(l.folder.get());
        list.SetSorted(true);
        for (const TIdListPtr& p : l.items)
            list.Add(p.get());
        benchmark::DoNotOptimize(list.GetPIDL(0));
    }
    state.counters["items"] = static_cast<double>(l.items.size());
}

// 5 000 lookups among 5 000 entries of an unsorted list comparing through
// the folder: each entry is told apart without a call to the folder.
void BM_LinearSearch(benchmark::State& state)
{
    Listing& l = listing();
    constexpr size_t kCount = 5000;
    TPTPidlList list;
    list.SetShellFolder(l.folder.get());
    std::vector<TIdListPtr> probes;
    for (size_t i = 0; i < kCount && i < l.items.size(); ++i) {
        list.Add(l.items[i].get());
        probes.emplace_back(CopyIdList(nullptr, l.items[i].get()));
    }
    for (auto _ : state)
        for (const TIdListPtr& probe : probes)
            benchmark::DoNotOptimize(list.IndexOf(probe.get()));
    state.counters["lookups"] = static_cast<double>(probes.size());
}

void BM_ParseAndPathRoundTrip(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString path = QFile::decodeName(f.path + "/folder 500");
    for (auto _ : state) {
        TIdListPtr list;
        ShellGetIdListFromPath(path, list.put());
        benchmark::DoNotOptimize(ShellGetPathFromIdList(list.get()));
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_RawReaddirLstat)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_EnumObjectsAttributesNamesSort)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SortByColumn)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshMerge)->Arg(25000)->Arg(101000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortedAdd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinearSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseAndPathRoundTrip)->Unit(benchmark::kMicrosecond);
