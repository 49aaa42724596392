// The folder tree on a folder of 10 000 subfolders: expanding it, refreshing
// it after one subfolder was added, and selecting a folder 30 levels deep by
// its list, each next to a plain readdir of the same folders in the same run.
// Listings run on a worker, so the tree cases report process CPU time and
// wall time; the readdir anchors run on the calling thread.

#include "shell/UPTShellUtils.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kSubfolders = 10000;
constexpr int kDepth = 30;

struct Fixture {
    QTemporaryDir dir;
    QByteArray big;
    QByteArray deep;

    Fixture()
    {
        const QByteArray root = QFile::encodeName(dir.path());
        big = root + "/big";
        ::mkdir(big.constData(), 0755);
        for (int i = 0; i < kSubfolders; ++i)
            ::mkdir((big + "/folder " + QByteArray::number(i)).constData(), 0755);
        deep = root;
        for (int i = 0; i < kDepth; ++i) {
            deep += "/level" + QByteArray::number(i);
            ::mkdir(deep.constData(), 0755);
        }
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

long plainReaddir(const QByteArray& path)
{
    DIR* dir = ::opendir(path.constData());
    long count = 0;
    while (dir && ::readdir(dir))
        ++count;
    if (dir)
        ::closedir(dir);
    return count;
}

std::unique_ptr<TPTShellTree> makeTree()
{
    auto tree = std::make_unique<TPTShellTree>();
    // No watches: the benchmark has no event loop to take their notices.
    tree->SetOptions(kDefaultShellTreeOptions & ~ptstoDynamicRefresh);
    tree->SetScanWaitMs(60000);
    tree->BaseFolder().SetPathName(fixture().dir.path());
    return tree;
}

TPTTreeNode* child(TPTTreeNode* node, const QString& text)
{
    for (int i = 0; i < node->Count(); ++i)
        if (node->Item(i)->Text() == text)
            return node->Item(i);
    return nullptr;
}

void BM_ReaddirBigFolder(benchmark::State& state)
{
    const QByteArray& big = fixture().big;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainReaddir(big));
}

void BM_ExpandBigFolder(benchmark::State& state)
{
    auto tree = makeTree();
    for (auto _ : state) {
        state.PauseTiming();
        tree->FillItems();
        TPTTreeNode* big = child(tree->TopItem(0), "big");
        state.ResumeTiming();
        tree->ExpandNode(big);
        if (big->Count() != kSubfolders)
            state.SkipWithError("not every subfolder shown");
    }
    state.counters["nodes"] = kSubfolders;
}

void BM_RefreshAfterOneAdded(benchmark::State& state)
{
    auto tree = makeTree();
    TPTTreeNode* big = child(tree->TopItem(0), "big");
    tree->ExpandNode(big);
    const QByteArray added = fixture().big + "/added";
    for (auto _ : state) {
        state.PauseTiming();
        ::mkdir(added.constData(), 0755);
        state.ResumeTiming();
        tree->RefreshNodes();
        state.PauseTiming();
        if (big->Count() != kSubfolders + 1)
            state.SkipWithError("the new subfolder is not shown");
        ::rmdir(added.constData());
        tree->RefreshNodes();
        state.ResumeTiming();
    }
}

void BM_ReaddirDeepPath(benchmark::State& state)
{
    const QByteArray root = QFile::encodeName(fixture().dir.path());
    for (auto _ : state) {
        QByteArray path = root;
        long count = plainReaddir(path);
        for (int i = 0; i < kDepth; ++i) {
            path += "/level" + QByteArray::number(i);
            count += plainReaddir(path);
        }
        benchmark::DoNotOptimize(count);
    }
}

void BM_SelectDeepFolder(benchmark::State& state)
{
    auto tree = makeTree();
    TIdListPtr list;
    ShellGetIdListFromPath(QFile::decodeName(fixture().deep), list.put());
    for (auto _ : state) {
        state.PauseTiming();
        tree->SelectedFolder().Clear(); // else the fill itself selects it
        tree->FillItems();
        state.ResumeTiming();
        tree->DoSetSelectedIdList(list.get());
        if (!tree->Selected() || tree->Selected()->Level() != kDepth)
            state.SkipWithError("the deep folder is not selected");
    }
}

} // namespace

BENCHMARK(BM_ReaddirBigFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandBigFolder)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_RefreshAfterOneAdded)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ReaddirDeepPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectDeepFolder)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
