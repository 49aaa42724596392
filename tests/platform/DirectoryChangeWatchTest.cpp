#include "common/ManyFolders.h"
#include "platform/DirectoryChangeWatch.h"
#include "platform/DirectoryChangeNotifier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <poll.h>

#include <gtest/gtest.h>

namespace
{

constexpr std::uint32_t kNames = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

QByteArray bytes(const QString& path)
{
    return QFile::encodeName(path);
}

// Reads the instance until `done` holds or five seconds have passed.
template <class Done> bool readUntil(DirectoryChangeNotifier& notifier, Done done)
{
    for (int i = 0; i < 50; ++i) {
        pollfd wait{notifier.Fd(), POLLIN, 0};
        if (::poll(&wait, 1, 100) > 0)
            notifier.ReadChanges();
        if (done())
            return true;
    }
    return false;
}

} // namespace

TEST(DirectoryChangeWatch, HandlesOnOneFolderShareItsDescriptorAndKeepTheirFilters)
{
    QTemporaryDir root;
    DirectoryChangeNotifier notifier;
    ASSERT_TRUE(notifier.Open());
    auto foldersOnly = DirectoryChangeWatch::Create(notifier, bytes(root.path()),
                                                    FILE_NOTIFY_CHANGE_DIR_NAME, false);
    auto everything = DirectoryChangeWatch::Create(notifier, bytes(root.path()), kNames, false);
    ASSERT_TRUE(foldersOnly && everything);
    EXPECT_EQ(notifier.DescriptorCount(), 1);

    // A new file is news for the handle that asks for file names only.
    QFile(root.filePath("file")).open(QIODevice::WriteOnly);
    bool fileSeen = false;
    ASSERT_TRUE(readUntil(notifier, [&] { return fileSeen = everything->TakeChanges().matched; }));
    EXPECT_FALSE(foldersOnly->TakeChanges().matched);

    // The other handle going must not take the shared descriptor with it.
    everything.reset();
    EXPECT_EQ(notifier.DescriptorCount(), 1);
    ASSERT_TRUE(QDir(root.path()).mkdir("sub"));
    EXPECT_TRUE(readUntil(notifier, [&] { return foldersOnly->TakeChanges().matched; }));

    // Deleting the folder is reported as gone, and its descriptor is dropped.
    ASSERT_TRUE(QDir(root.path()).rmdir("sub"));
    ASSERT_TRUE(QFile::remove(root.filePath("file")));
    ASSERT_TRUE(QDir().rmdir(root.path()));
    EXPECT_TRUE(readUntil(notifier, [&] { return foldersOnly->TakeChanges().gone; }));
    EXPECT_EQ(notifier.DescriptorCount(), 0);
    EXPECT_EQ(foldersOnly->WatchCount(), 0);
}

TEST(DirectoryChangeWatch, ASubtreeBeyondItsShareOfWatchesSaysSo)
{
    // Thousands of folders.
    const auto folders = MakeManyFolders(DirectoryChangeWatch::kMaxSubtreeWatches);
    ASSERT_TRUE(folders);
    const QTemporaryDir& root = *folders;
    DirectoryChangeNotifier notifier;
    ASSERT_TRUE(notifier.Open());

    auto small = DirectoryChangeWatch::Create(notifier, bytes(root.filePath("7")), kNames, true);
    ASSERT_TRUE(small);
    EXPECT_FALSE(small->RanOutOfWatches());

    // The folder and its 4096 subfolders are one more than a handle may hold.
    auto whole = DirectoryChangeWatch::Create(notifier, bytes(root.path()), kNames, true);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->WatchCount(), DirectoryChangeWatch::kMaxSubtreeWatches);
    EXPECT_TRUE(whole->RanOutOfWatches());
    // The watched part still works.
    QFile(root.filePath("7/x")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(readUntil(notifier, [&] { return small->TakeChanges().matched; }));
}
