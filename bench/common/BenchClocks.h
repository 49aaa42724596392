#pragma once

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <chrono>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

// Wall time, in seconds from an arbitrary start.
inline double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// CPU time of the whole process (all threads), in seconds: the honest figure for
// work that runs on workers.
inline double ProcessCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The anchor the listing benchmarks are measured against: readdir and lstat of
// every entry of a folder. Returns its wall time in seconds.
inline double RawReaddirLstat(const QByteArray& path)
{
    const double start = WallSeconds();
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return 0;
    const int fd = ::dirfd(dir);
    long count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            ++count;
    }
    ::closedir(dir);
    benchmark::DoNotOptimize(count);
    return WallSeconds() - start;
}
