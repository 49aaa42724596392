#include "common/ManyFolders.h"
#include "shell/PTMessages.h"
#include "shell/notify/TChangeHandlerThread.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

namespace {

// Stands in for a control's window: records the slots of the notices it gets.
class NoticeCollector : public QObject {
public:
    std::vector<int> received;
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::Type(AM_CHANGENOTIFY))
            return QObject::event(e);
        received.push_back(int(static_cast<TPTMessageEvent*>(e)->WParam));
        EXPECT_EQ(static_cast<TPTMessageEvent*>(e)->LParam, 0);
        return true;
    }
    bool WaitForSlot(int slot)
    {
        return QTest::qWaitFor([&] { return std::count(received.begin(), received.end(), slot) > 0; },
                               5000);
    }
};

constexpr std::uint32_t kNames = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

void Touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

int OpenDescriptors() { return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files).size()); }

} // namespace

TEST(ChangeHandlerThread, ReportsAChangeWithItsSlot)
{
    QTemporaryDir a, b;
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int slotA = -1, slotB = -1;
    ASSERT_TRUE(thread.AddWatch(a.path(), kNames, slotA, false));
    ASSERT_TRUE(thread.AddWatch(b.path(), kNames, slotB, false));
    EXPECT_EQ(slotA, 0);
    EXPECT_EQ(slotB, 1);

    Touch(b.filePath("new file.txt"));
    ASSERT_TRUE(owner.WaitForSlot(1));
    EXPECT_EQ(std::count(owner.received.begin(), owner.received.end(), 0), 0);

    // The watch is armed again after a report.
    owner.received.clear();
    ASSERT_TRUE(QDir(b.path()).rename("new file.txt", "renamed.txt"));
    EXPECT_TRUE(owner.WaitForSlot(1));
}

TEST(ChangeHandlerThread, FolderNameFilterIgnoresFiles)
{
    QTemporaryDir foldersOnly, everything;
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int s0 = -1, s1 = -1;
    ASSERT_TRUE(thread.AddWatch(foldersOnly.path(), FILE_NOTIFY_CHANGE_DIR_NAME, s0, false));
    ASSERT_TRUE(thread.AddWatch(everything.path(), kNames, s1, false));

    // GIVEN a file made in the folders-only watch before a change in the other:
    // the worker serves the lower slot first, so by the time slot 1 reports,
    // slot 0's file event has been seen and dropped.
    Touch(foldersOnly.filePath("file"));
    Touch(everything.filePath("file"));
    ASSERT_TRUE(owner.WaitForSlot(1));
    EXPECT_EQ(std::count(owner.received.begin(), owner.received.end(), 0), 0);

    ASSERT_TRUE(QDir(foldersOnly.path()).mkdir("sub"));
    EXPECT_TRUE(owner.WaitForSlot(0));
}

TEST(ChangeHandlerThread, SixtyFourthWatchFailsAndTheOthersKeepWorking)
{
    QTemporaryDir root;
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    for (int i = 0; i < TChangeHandlerThread::kSlotCount; ++i) {
        ASSERT_TRUE(QDir(root.path()).mkdir(QString::number(i)));
        int slot = -1;
        errno = 0;
        if (!thread.AddWatch(root.filePath(QString::number(i)), kNames, slot, false)) {
            // Each watch is an inotify instance, counted per user across all
            // programs (128 by default); a busy machine may have too few left.
            if (errno == EMFILE)
                GTEST_SKIP() << "inotify instances used up after " << i << " watches";
            FAIL() << i;
        }
        ASSERT_EQ(slot, i);
    }
    int slot = 99;
    errno = 0;
    EXPECT_FALSE(thread.AddWatch(root.path(), kNames, slot, false));
    if (errno == EMFILE)
        GTEST_SKIP() << "no inotify instance left for the 64th watch";
    EXPECT_EQ(slot, -1);

    Touch(root.filePath("62/x"));
    EXPECT_TRUE(owner.WaitForSlot(62));

    // After removing every watch the first slot is free again.
    thread.RemoveAllWatches();
    ASSERT_TRUE(thread.AddWatch(root.filePath("40"), kNames, slot, false));
    EXPECT_EQ(slot, 0);
}

TEST(ChangeHandlerThread, UnwatchableFoldersAreRefused)
{
    QTemporaryDir root;
    Touch(root.filePath("plain file"));
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int slot = -1;
    EXPECT_FALSE(thread.AddWatch(QString(), kNames, slot, false));
    EXPECT_FALSE(thread.AddWatch(root.filePath("missing"), kNames, slot, false));
    EXPECT_FALSE(thread.AddWatch(root.filePath("plain file"), kNames, slot, false));
}

TEST(ChangeHandlerThread, ADeletedFolderIsReportedThenDropped)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir("doomed"));
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int slot = -1;
    ASSERT_TRUE(thread.AddWatch(root.filePath("doomed"), kNames, slot, false));
    ASSERT_TRUE(QDir(root.path()).rmdir("doomed"));
    ASSERT_TRUE(owner.WaitForSlot(0));
    // Its slot was emptied, so the next watch takes slot 0 again.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        int s = -1;
        const bool added = thread.AddWatch(root.path(), kNames, s, false);
        if (added && s != 0)
            thread.RemoveAllWatches(); // the drop had not happened yet; try again
        return added && s == 0;
    }, 5000));
}

TEST(ChangeHandlerThread, SubtreeWatchSeesNewAndExistingSubfolders)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("a/b"));
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int slot = -1;
    ASSERT_TRUE(thread.AddWatch(root.path(), kNames, slot, true));
    Touch(root.filePath("a/b/deep"));
    ASSERT_TRUE(owner.WaitForSlot(0));

    owner.received.clear();
    ASSERT_TRUE(QDir(root.path()).mkdir("c"));
    ASSERT_TRUE(owner.WaitForSlot(0));
    owner.received.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        Touch(root.filePath("c/later"));
        QFile::remove(root.filePath("c/later"));
        QCoreApplication::processEvents();
        return !owner.received.empty();
    }, 5000));
}

TEST(ChangeHandlerThread, ShutdownWhileChangesStreamInClosesEverything)
{
    QTemporaryDir root;
    const int before = OpenDescriptors();
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) {
            QFile f(root.filePath(QString::number(i % 50)));
            if (f.open(QIODevice::WriteOnly))
                f.close();
            QFile::remove(f.fileName());
        }
    });
    {
        NoticeCollector owner;
        TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
        int slot = -1;
        ASSERT_TRUE(thread.AddWatch(root.path(), kNames, slot, false));
        ASSERT_TRUE(owner.WaitForSlot(0));
    } // destroyed while the writer is still busy
    stop = true;
    writer.join();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(ChangeHandlerThread, WithoutDescriptorsForItsEventsNothingWaits)
{
    QTemporaryDir root;
    NoticeCollector owner;
    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = 0; // no new descriptor can be opened
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    auto thread = std::make_unique<TChangeHandlerThread>(&owner, AM_CHANGENOTIFY);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);

    // A worker that could never be woken would hold up its owner's end for the
    // whole shutdown bound; it is not started, and watches are refused.
    EXPECT_FALSE(thread->isRunning());
    int slot = -1;
    EXPECT_FALSE(thread->AddWatch(root.path(), kNames, slot, false));
    thread.reset();
}

namespace {

// The process's inotify instances (by descriptor) and the watches each holds.
std::map<int, int> InotifyInstances()
{
    std::map<int, int> instances;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files)) {
        char target[64] = {};
        if (::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target - 1) <
                0 ||
            QByteArray(target) != "anon_inode:inotify")
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (info.open(QIODevice::ReadOnly))
            instances[fd.toInt()] = int(info.readAll().count("inotify wd:"));
    }
    return instances;
}

} // namespace

TEST(ChangeHandlerThread, TwoHundredWatchedFoldersShareOneInotifyInstance)
{
    QTemporaryDir root;
    QDir dir(root.path());
    const int plain = TChangeHandlerThread::kSlotCount - 1;
    for (int i = 0; i < plain; ++i)
        ASSERT_TRUE(dir.mkdir(QString::number(i)));
    // The last slot watches a subtree: the folder and 137 below it.
    for (int i = 0; i < 137; ++i)
        ASSERT_TRUE(dir.mkpath(QStringLiteral("tree/%1").arg(i)));
    const std::map<int, int> before = InotifyInstances();

    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    for (int i = 0; i < plain; ++i) {
        int slot = -1;
        ASSERT_TRUE(thread.AddWatch(root.filePath(QString::number(i)), kNames, slot, false)) << i;
    }
    int treeSlot = -1;
    ASSERT_TRUE(thread.AddWatch(root.filePath("tree"), kNames, treeSlot, true));

    std::map<int, int> added = InotifyInstances();
    for (const auto& [fd, watches] : before)
        added.erase(fd);
    ASSERT_EQ(added.size(), 1u);
    const int instance = added.begin()->first;
    EXPECT_EQ(added.begin()->second, 200);
    EXPECT_FALSE(thread.TakeWatchesRanOut());

    // Each change still reaches its own slot.
    Touch(root.filePath("tree/136/x"));
    EXPECT_TRUE(owner.WaitForSlot(treeSlot));
    Touch(root.filePath("5/x"));
    EXPECT_TRUE(owner.WaitForSlot(5));
    EXPECT_EQ(std::count(owner.received.begin(), owner.received.end(), 6), 0);

    // Removing the watches gives their descriptors back.
    thread.RemoveAllWatches();
    EXPECT_EQ(InotifyInstances()[instance], 0);
}

TEST(ChangeHandlerThread, RunningOutOfWatchesIsToldOnce)
{
    // More folders than one watch may hold.
    const auto folders = MakeManyFolders(DirectoryChangeWatch::kMaxSubtreeWatches);
    ASSERT_TRUE(folders);
    const QTemporaryDir& root = *folders;
    NoticeCollector owner;
    TChangeHandlerThread thread(&owner, AM_CHANGENOTIFY);
    int slot = -1;
    ASSERT_TRUE(thread.AddWatch(root.filePath("7"), kNames, slot, true));
    EXPECT_FALSE(thread.TakeWatchesRanOut());

    // The watched part is still watched; the owner hears of the rest once.
    ASSERT_TRUE(thread.AddWatch(root.path(), kNames, slot, true));
    EXPECT_TRUE(thread.TakeWatchesRanOut());
    EXPECT_FALSE(thread.TakeWatchesRanOut());
    Touch(root.filePath("7/x"));
    EXPECT_TRUE(owner.WaitForSlot(0));
}

TEST(ChangeHandlerThread, TwoOrThreeFreeDescriptorsStartAWorkerThatNeedsNoMore)
{
    QTemporaryDir root;
    for (int free : {2, 3}) {
        NoticeCollector owner;
        // The lowest limit that leaves exactly `free` descriptor numbers unused.
        rlimit saved;
        ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        rlimit tight = saved;
        int unused = 0;
        for (tight.rlim_cur = 0; unused < free; ++tight.rlim_cur)
            unused += ::fcntl(int(tight.rlim_cur), F_GETFD) < 0;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
        auto thread = std::make_unique<TChangeHandlerThread>(&owner, AM_CHANGENOTIFY);
        // Answering a command needs the worker through its start-up, still
        // under the tight limit.
        thread->RemoveAllWatches();
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);

        // Both events were made, so the worker runs and serves watches once
        // descriptors are back.
        EXPECT_TRUE(thread->isRunning()) << free;
        int slot = -1;
        ASSERT_TRUE(thread->AddWatch(root.path(), kNames, slot, false)) << free;
        Touch(root.filePath(QStringLiteral("f%1").arg(free)));
        EXPECT_TRUE(owner.WaitForSlot(slot)) << free;
    }
}
