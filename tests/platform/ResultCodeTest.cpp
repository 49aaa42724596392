#include "platform/EAbort.h"
#include "platform/EPlatformError.h"
#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "platform/ResultCodes.h"
#include "platform/VolumeSpace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(ResultCodes, KeepTheirNumbers)
{
    EXPECT_EQ(static_cast<quint32>(E_FAIL), 0x80004005u);
    EXPECT_EQ(static_cast<quint32>(E_INVALIDARG), 0x80070057u);
    EXPECT_EQ(static_cast<quint32>(E_NOTIMPL), 0x80004001u);
    EXPECT_EQ(static_cast<quint32>(E_OUTOFMEMORY), 0x8007000Eu);
    EXPECT_EQ(static_cast<quint32>(HRESULT_NO_MORE_ITEMS), 0x80070103u);
    EXPECT_TRUE(Succeeded(S_FALSE));
    EXPECT_TRUE(Failed(E_FAIL));
    EXPECT_EQ(HResultFromWin32(0), S_OK);
}

TEST(ResultCodes, ComparisonResultsSurviveTheLow16Bits)
{
    for (int v : {-32768, -1, 0, 1, 32767})
        EXPECT_EQ(ShortFromResult(ResultFromShort(v)), v);
    EXPECT_TRUE(Succeeded(ResultFromShort(-1)));
}

TEST(ErrnoMapping, MapsToTheMatchingWin32Errors)
{
    EXPECT_EQ(Win32ErrorFromErrno(EEXIST), 183u);
    EXPECT_EQ(Win32ErrorFromErrno(ENOENT), 2u);
    EXPECT_EQ(Win32ErrorFromErrno(EACCES), 5u);
    EXPECT_EQ(static_cast<quint32>(HResultFromErrno(EACCES)), 0x80070005u);
    EXPECT_EQ(HResultFromErrno(0), E_FAIL);
    EXPECT_EQ(HResultFromErrno(123456), E_FAIL);
}

TEST(ErrorText, UsesTheLibraryTextForErrnoCodesAndFixedTextsOtherwise)
{
    EXPECT_EQ(ResultCodeText(HResultFromErrno(EEXIST)),
              QString::fromLocal8Bit(std::strerror(EEXIST)));
    EXPECT_EQ(ResultCodeText(E_INVALIDARG), QStringLiteral("The parameter is incorrect."));
    EXPECT_EQ(ResultCodeText(static_cast<HRESULT>(0x8123ABCDu)),
              QStringLiteral("Unknown error 0x8123ABCD"));
    for (HRESULT hr : {S_OK, E_FAIL, E_NOTIMPL, E_OUTOFMEMORY, HRESULT_NO_MORE_ITEMS})
        EXPECT_FALSE(ResultCodeText(hr).isEmpty());
}

TEST(PlatformError, CarriesCodeAndTextAndAbortIsSeparate)
{
    try {
        CheckResult(HResultFromErrno(ENOENT));
        FAIL() << "no exception";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.code(), HResultFromWin32(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(e.message(), ResultCodeText(e.code()));
    }
    EXPECT_EQ(CheckResult(S_FALSE), S_FALSE);
    EXPECT_THROW(throw EAbort(), EAbort);
    bool caughtAsPlatformError = false;
    try {
        throw EAbort();
    } catch (const EPlatformError&) {
        caughtAsPlatformError = true;
    } catch (const EAbort&) {
    }
    EXPECT_FALSE(caughtAsPlatformError);
}

TEST(FileNameCodec, InvalidUtf8RoundTripsExactlyAndDisplaysLegibly)
{
    const QByteArray names[] = {QByteArray("plain.txt"),       QByteArray("caf\xc3\xa9"),
                                QByteArray("bad\xff\xfe"),     QByteArray("half\xe2\x82"),
                                QByteArray("sur\xed\xb2\x80"), QByteArray("emoji\xf0\x9f\x98\x80")};
    for (const QByteArray& n : names)
        EXPECT_EQ(FileNameFromString(FileNameToString(n)), n) << n.toHex().constData();
    EXPECT_EQ(FileNameForDisplay(QByteArray("bad\xff")), QStringLiteral("bad\uFFFD"));
    EXPECT_FALSE(IsValidUtf8("bad\xff"));
    EXPECT_TRUE(IsValidUtf8("caf\xc3\xa9"));
}

TEST(MountTable, ReadsEscapesOrdersVolumesAndMatchesLongestMountPoint)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray base = QFile::encodeName(dir.path());
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("my disk"))));
    QFile table(dir.filePath(QStringLiteral("mounts")));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write("proc /proc proc rw 0 0\n"
                "/dev/sdz1 " +
                base +
                "/my\\040disk vfat ro,nosuid 0 0\n"
                "server:/x /net nfs4 rw 0 0\n"
                "/dev/vdz / ext4 rw 0 0\n"
                "tmpfs /run/user/1000 tmpfs rw 0 0\n");
    table.close();

    const QList<TMountEntry> all = ReadMountTable(table.fileName());
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[1].mountPoint, base + "/my disk");
    EXPECT_TRUE(all[1].readOnly);
    EXPECT_EQ(all[2].driveType, TDriveType::Remote);

    const QList<TMountEntry> volumes = VolumesFromMountTable(all);
    ASSERT_GE(volumes.size(), 2);
    EXPECT_EQ(volumes.first().mountPoint, "/");
    bool sawDisk = false;
    for (const TMountEntry& v : volumes) {
        EXPECT_NE(v.mountPoint, "/proc");
        EXPECT_NE(v.mountPoint, "/run/user/1000");
        sawDisk = sawDisk || v.mountPoint == base + "/my disk";
    }
    EXPECT_TRUE(sawDisk);

    EXPECT_EQ(all[LongestMountPointFor(all, base + "/my disk/a/b")].device, "/dev/sdz1");
    EXPECT_EQ(all[LongestMountPointFor(all, base + "/my diskette")].device, "/dev/vdz");
    EXPECT_EQ(DriveTypeOfPath(all, "relative"), TDriveType::NoRootDir);
    EXPECT_TRUE(ReadMountTable(dir.filePath(QStringLiteral("missing"))).isEmpty());

    // The process's own table is read once and kept until the kernel reports a change.
    CurrentMountTable();
    bool changed = true;
    const QList<TMountEntry> current = CurrentMountTable(&changed);
    EXPECT_FALSE(changed);
    EXPECT_EQ(VolumesFromMountTable(current).first().mountPoint, "/");
}

TEST(MountTable, NetworkMountPointsAreVolumesWithoutAskingTheServer)
{
    // GIVEN mount points that do not exist here: a network one (a stat would
    // wait for its server) and a local one (a stat is how file binds are told)
    const QList<TMountEntry> all = ParseMountTable("server:/x /nonexistent/net nfs4 rw 0 0\n"
                                                   "/dev/sdz9 /nonexistent/disk ext4 rw 0 0\n"
                                                   "/dev/vdz / ext4 rw 0 0\n");
    const QList<TMountEntry> volumes = VolumesFromMountTable(all);
    QList<QByteArray> points;
    for (const TMountEntry& v : volumes)
        points << v.mountPoint;
    // THEN the network volume is taken from the table alone; the missing
    // local one is left out as before
    EXPECT_EQ(points, (QList<QByteArray>{"/", "/nonexistent/net"}));

    // AND the cached volumes are the current table's
    QList<QByteArray> current;
    for (const TMountEntry& v : CurrentVolumes())
        current << v.mountPoint;
    QList<QByteArray> expected;
    for (const TMountEntry& v : VolumesFromMountTable(CurrentMountTable()))
        expected << v.mountPoint;
    EXPECT_EQ(current, expected);
}

TEST(VolumeSpace, ANetworkVolumeIsAskedOnAThreadWithTheSameAnswer)
{
    quint64 total = 0, free = 0, threadTotal = 0, threadFree = 0;
    ASSERT_TRUE(VolumeSpace("/", false, total, free));
    ASSERT_TRUE(VolumeSpace("/", true, threadTotal, threadFree));
    EXPECT_GT(threadTotal, 0u);
    EXPECT_EQ(threadTotal, total);
    EXPECT_FALSE(VolumeSpace("/nonexistent/share", true, threadTotal, threadFree));
}
