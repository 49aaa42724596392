// The namespace on a folder of 100 000 files and 1 000 subfolders: listing it
// through EnumObjects with attributes and in-folder names for every item, then
// sorting by CompareIDs, next to readdir + lstat of the same folder in the same
// run (counter vs_raw: the listing's time over the best raw time; goal < 3).
// Also path -> list -> path round trips per second.

#include "shell/UPTShellUtils.h"

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
#include <unistd.h>

namespace
{

constexpr int kFiles = 100000;
constexpr int kFolders = 1000;

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

double rawList(const QByteArray& path)
{
    const auto start = std::chrono::steady_clock::now();
    DIR* dir = ::opendir(path.constData());
    const int fd = ::dirfd(dir);
    long count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            ++count;
    }
    ::closedir(dir);
    benchmark::DoNotOptimize(count);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_RawReaddirLstat(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const double seconds = rawList(f.path);
        if (f.bestRawSeconds == 0 || seconds < f.bestRawSeconds)
            f.bestRawSeconds = seconds;
    }
    state.counters["items"] = kFiles + kFolders;
}

void BM_EnumObjectsAttributesNamesSort(benchmark::State& state)
{
    Fixture& f = fixture();
    TIdListPtr folderList;
    ShellGetIdListFromPath(QFile::decodeName(f.path), folderList.put());
    TComPtr<IShellFolder> folder;
    ShellGetFolderFromIdList(folderList.get(), folder.put());
    if (f.bestRawSeconds == 0)
        for (int i = 0; i < 3; ++i)
            f.bestRawSeconds = f.bestRawSeconds == 0 ? rawList(f.path)
                                                     : std::min(f.bestRawSeconds, rawList(f.path));

    double total = 0;
    long listed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::vector<PItemIDList> items;
        items.reserve(kFiles + kFolders);
        TComPtr<IEnumIDList> enumList;
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            enumList.put());
        PItemIDList item = nullptr;
        std::uint32_t fetched = 0;
        while (enumList->Next(1, &item, &fetched) == S_OK)
            items.push_back(item);
        for (PItemIDList p : items) {
            PCItemIDList one = p;
            std::uint32_t attributes = 0xF20B0000;
            folder->GetAttributesOf(1, &one, &attributes);
            TStrRet name;
            folder->GetDisplayNameOf(p, SHGDN_INFOLDER, &name);
            benchmark::DoNotOptimize(StrretToString(p, name));
            StrretFree(name);
        }
        std::sort(items.begin(), items.end(), [&](PCItemIDList a, PCItemIDList b) {
            return ShortFromResult(folder->CompareIDs(0, a, b)) < 0;
        });
        listed = static_cast<long>(items.size());
        for (PItemIDList p : items)
            ShellMemFree(p);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["items"] = static_cast<double>(listed);
    state.counters["raw_ms"] = f.bestRawSeconds * 1000;
    state.counters["vs_raw"] = total / static_cast<double>(state.iterations()) / f.bestRawSeconds;
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
BENCHMARK(BM_ParseAndPathRoundTrip)->Unit(benchmark::kMicrosecond);
