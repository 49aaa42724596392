// The shell file list on a folder of 100 000 files and 1 000 subfolders,
// offscreen, in the details style: a full fill until the first paint, a sort
// by each of the four columns, a refresh after one file was created and after
// 1 000 files were renamed, and the heap the filled list holds (list_MB). Each figure
// stands next to readdir + lstat of the same folder measured in the same run
// (raw_ms; for refreshes also readdir alone, names_ms). Listings run on a worker thread, so wall
// time and the process's CPU time (cpu_ms, all threads) are both reported.

#include "bench/common/BenchClocks.h"
#include "shellwidgets/list/TPTShellList.h"

#include "platform/FileNameCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kFiles = 100000;
constexpr int kFolders = 1000;

// Heap in use, in MB (the resident size would not shrink between iterations).
double HeapMegabytes()
{
    const struct mallinfo2 info = ::mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

void MakeFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0)
        ::close(fd);
}

struct Fixture {
    QTemporaryDir dir;
    QByteArray path;
    double bestRawSeconds = 0;

    Fixture()
    {
        path = QFile::encodeName(dir.path()) + "/big";
        ::mkdir(path.constData(), 0755);
        for (int i = 0; i < kFolders; ++i)
            ::mkdir((path + "/folder " + QByteArray::number(i)).constData(), 0755);
        for (int i = 0; i < kFiles; ++i)
            MakeFile(path + "/file_" + QByteArray::number(i) +
                     (i % 3 == 0 ? ".csv" : (i % 3 == 1 ? ".txt" : ".png")));
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The floor of any refresh that looks at the whole folder: its names alone.
double RawNames(const QByteArray& path)
{
    const double start = WallSeconds();
    DIR* dir = ::opendir(path.constData());
    long count = 0;
    while (const dirent* entry = ::readdir(dir))
        count += entry->d_name[0] != 0;
    ::closedir(dir);
    benchmark::DoNotOptimize(count);
    return WallSeconds() - start;
}

double BestRawNames()
{
    static double best = 0;
    for (int i = 0; i < 3; ++i) {
        const double s = RawNames(fixture().path);
        if (best == 0 || s < best)
            best = s;
    }
    return best;
}

double BestRaw()
{
    Fixture& f = fixture();
    if (f.bestRawSeconds == 0)
        for (int i = 0; i < 3; ++i) {
            const double s = RawReaddirLstat(f.path);
            if (f.bestRawSeconds == 0 || s < f.bestRawSeconds)
                f.bestRawSeconds = s;
        }
    return f.bestRawSeconds;
}

std::unique_ptr<TPTShellList> MakeList()
{
    auto list = std::make_unique<TPTShellList>();
    list->SetOptions(list->Options().With(ptsloDynamicRefresh, false));
    list->SetViewStyle(vsReport);
    list->resize(800, 600);
    list->show();
    QCoreApplication::processEvents();
    return list;
}

void WaitForListing(TPTShellList& list)
{
    while (list.IsListing())
        QTest::qWait(1);
}

// Everything up to and including the first paint of the filled list.
void FillAndPaint(TPTShellList& list, const QByteArray& path)
{
    list.Folder().SetPathName(FileNameToString(path));
    WaitForListing(list);
    list.ClientWidget()->repaint();
}

void BM_RawReaddirLstat(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const double seconds = RawReaddirLstat(f.path);
        if (f.bestRawSeconds == 0 || seconds < f.bestRawSeconds)
            f.bestRawSeconds = seconds;
    }
    state.counters["items"] = kFiles + kFolders;
}

void BM_FillUntilFirstPaint(benchmark::State& state)
{
    Fixture& f = fixture();
    const double raw = BestRaw();
    auto list = MakeList();
    double cpu = 0;
    double megabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list->Folder().SetPathName(FileNameToString(f.path + "/folder 1"));
        WaitForListing(*list);
        QCoreApplication::processEvents();
        const double heapBefore = HeapMegabytes();
        state.ResumeTiming();
        const double cpuStart = ProcessCpuSeconds();
        FillAndPaint(*list, f.path);
        cpu += ProcessCpuSeconds() - cpuStart;
        state.PauseTiming();
        megabytes = HeapMegabytes() - heapBefore;
        state.ResumeTiming();
    }
    state.counters["items"] = list->ItemCount();
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
    state.counters["list_MB"] = megabytes;
    state.counters["raw_ms"] = raw * 1000;
}

void BM_SortByColumn(benchmark::State& state)
{
    Fixture& f = fixture();
    const double raw = BestRaw();
    auto list = MakeList();
    FillAndPaint(*list, f.path);
    const int column = int(state.range(0));
    // Each timed sort starts from another column's order, as after a click.
    const int other = column == 1 ? 4 : 1;
    int direction = 1;
    for (auto _ : state) {
        state.PauseTiming();
        list->SetSortColumn(other);
        state.ResumeTiming();
        list->SetSortColumn(direction * column);
        direction = -direction;
    }
    state.counters["items"] = list->ItemCount();
    state.counters["raw_ms"] = raw * 1000;
}

void BM_RefreshAfterOneFileCreated(benchmark::State& state)
{
    Fixture& f = fixture();
    const double raw = BestRaw();
    const double rawNames = BestRawNames();
    auto list = MakeList();
    FillAndPaint(*list, f.path);
    const QByteArray extra = f.path + "/added by the benchmark.txt";
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MakeFile(extra);
        state.ResumeTiming();
        const double cpuStart = ProcessCpuSeconds();
        list->RefreshItems();
        WaitForListing(*list);
        cpu += ProcessCpuSeconds() - cpuStart;
        state.PauseTiming();
        ::unlink(extra.constData());
        list->RefreshItems();
        WaitForListing(*list);
        state.ResumeTiming();
    }
    state.counters["items"] = list->ItemCount();
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
    state.counters["raw_ms"] = raw * 1000;
    state.counters["names_ms"] = rawNames * 1000;
}

void BM_RefreshAfter1000FilesRenamed(benchmark::State& state)
{
    Fixture& f = fixture();
    const double raw = BestRaw();
    const double rawNames = BestRawNames();
    auto list = MakeList();
    FillAndPaint(*list, f.path);
    bool renamed = false;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // 1 000 vanished items and 1 000 new ones, spread over the folder.
        for (int i = 0; i < 1000; ++i) {
            const QByteArray name =
                f.path + "/file_" + QByteArray::number(i * 97) +
                ((i * 97) % 3 == 0 ? ".csv" : ((i * 97) % 3 == 1 ? ".txt" : ".png"));
            const QByteArray other = name + ".renamed";
            if (renamed)
                ::rename(other.constData(), name.constData());
            else
                ::rename(name.constData(), other.constData());
        }
        renamed = !renamed;
        state.ResumeTiming();
        const double cpuStart = ProcessCpuSeconds();
        list->RefreshItems();
        WaitForListing(*list);
        cpu += ProcessCpuSeconds() - cpuStart;
    }
    state.counters["items"] = list->ItemCount();
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
    state.counters["raw_ms"] = raw * 1000;
    state.counters["names_ms"] = rawNames * 1000;
}

} // namespace

BENCHMARK(BM_RawReaddirLstat)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FillUntilFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SortByColumn)
    ->DenseRange(1, 4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6);
BENCHMARK(BM_RefreshAfterOneFileCreated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_RefreshAfter1000FilesRenamed)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4);
