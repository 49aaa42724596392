#include "shell/utils/TPTDeviceChangeHandler.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>

TEST(DeviceChangeHandler, BroadcastsAfterTheDeviceMessageWasAnswered)
{
    TPTDeviceChangeHandler handler;
    std::vector<std::intptr_t> seen;
    int first = 0, second = 0;
    handler.Add(&first, [&](TPTDeviceChangeHandler* sender, const TMessage& m) {
        EXPECT_EQ(sender, &handler);
        EXPECT_EQ(m.Msg, std::uint32_t(AM_SECONDSTAGEINIT));
        seen.push_back(m.WParam);
    });
    handler.Add(&second, [&](TPTDeviceChangeHandler*, const TMessage&) { seen.push_back(-1); });

    TMessage arrival{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, 0};
    handler.WndProc(arrival);
    EXPECT_TRUE(seen.empty()); // posted, not called inline
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{DBT_DEVICEARRIVAL, -1}));

    // Removal takes the first entry of that object only; disabled means silent.
    handler.Remove(&first);
    handler.Remove(&first);
    seen.clear();
    TMessage removal{WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0, 0};
    handler.WndProc(removal);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{-1}));
    handler.Enabled = false;
    seen.clear();
    handler.WndProc(removal);
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen.empty());
}

TEST(DeviceChangeHandler, ASubscriberRemovedDuringTheBroadcastIsNotCalled)
{
    // GIVEN a first subscriber that unsubscribes the second (as a control
    // destroyed in answer to a device change would)
    TPTDeviceChangeHandler handler;
    int first = 0, second = 0;
    std::vector<int> called;
    handler.Add(&first, [&](TPTDeviceChangeHandler*, const TMessage&) {
        called.push_back(1);
        handler.Remove(&second);
    });
    handler.Add(&second, [&](TPTDeviceChangeHandler*, const TMessage&) { called.push_back(2); });
    // WHEN a change is broadcast
    handler.BroadcastToList(TMessage{AM_SECONDSTAGEINIT, DBT_DEVICEARRIVAL, 0, 0});
    // THEN the removed one is not told any more
    EXPECT_EQ(called, (std::vector<int>{1}));
}

TEST(DeviceChangeHandler, AMountedVolumeArrivesAndLeaves)
{
    // A private mount namespace keeps the test's volume away from the machine.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "needs the right to make a mount namespace";
    QTemporaryDir point;
    TPTDeviceChangeHandler handler;
    std::vector<std::intptr_t> seen;
    handler.Add(&seen, [&](TPTDeviceChangeHandler*, const TMessage& m) { seen.push_back(m.WParam); });

    // A source under /dev/ makes the tmpfs count as a volume.
    ASSERT_EQ(::mount("/dev/veldmark-test", point.path().toUtf8().constData(), "tmpfs", 0, nullptr), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 5000));
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{DBT_DEVICEARRIVAL}));

    seen.clear();
    ASSERT_EQ(::umount(point.path().toUtf8().constData()), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seen.empty(); }, 5000));
    EXPECT_EQ(seen, (std::vector<std::intptr_t>{DBT_DEVICEREMOVECOMPLETE}));
}
