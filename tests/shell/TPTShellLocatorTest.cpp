#include "shell/locator/TPTShellLocator.h"

#include "NamespaceFixture.h"
#include "platform/FileNameCodec.h"
#include "shell/UPTShellUtils.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace
{

// A fresh namespace (home, XDG folders, work folder) per test; every list
// taken from the shell allocator must be given back.
class ShellLocatorTest : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        makeDir(work() + "/Reports");
        makeDir(work() + "/Reports/2026");
    }

    QString path(const QByteArray& relative = {}) const
    {
        return FileNameToString(relative.isEmpty() ? work() : work() + "/" + relative);
    }
    TIdListPtr parsed(const QByteArray& relative)
    {
        return TIdListPtr(parse(work() + "/" + relative));
    }

    int changes = 0;
    // A change handler that counts the reports in `changes`.
    TPTShellLocator::TChangeEvent counter()
    {
        return [this](TPTShellLocator*) { ++changes; };
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

QByteArray listRecord(std::int32_t length, const QByteArray& list)
{
    char n[4];
    qToLittleEndian(length, n);
    return bytes({0}) + QByteArray(n, 4) + list;
}

} // namespace

TEST_F(ShellLocatorTest, DesktopAsEmptyListReportsEveryTime)
{
    TPTShellLocator locator(counter());
    TIdListPtr empty(CopyIdList(nullptr, nullptr));

    // GIVEN the desktop held in identifier-list mode, WHEN no list is set THEN nothing changes
    locator.SetIdList(nullptr);
    locator.Clear();
    EXPECT_EQ(changes, 0);

    // WHEN the desktop is set as an empty list THEN every call reports, and no list is held
    locator.SetIdList(empty.get());
    locator.SetIdList(empty.get());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(locator.GetIdList(), nullptr);
    EXPECT_EQ(locator.GetCSIDL(), csidlNone);
    EXPECT_FALSE(locator.StoresData());
}

TEST_F(ShellLocatorTest, SettingTheSameFolderReportsNothing)
{
    TPTShellLocator locator(counter());
    locator.SetPathName(path());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(locator.GetPathName(), path());

    // The same folder from a new parse, and the locator's own list
    locator.SetIdList(TIdListPtr(parse(work())).get());
    locator.SetIdList(locator.GetIdList());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(locator.GetPathName(), path());

    locator.SetPathName(path("Reports/2026"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(locator.GetPathName(), path("Reports/2026"));

    locator.Clear();
    locator.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(locator.GetIdList(), nullptr);
}

TEST_F(ShellLocatorTest, FailedComparisonCountsAsUnchanged)
{
    // GIVEN lists the namespace cannot compare
    TIdListPtr foreign(MakeRawIdList({"\x7f"
                                      "foreign"}));
    TIdListPtr other(MakeRawIdList({"\x7f"
                                    "other"}));
    TPTShellLocator locator(counter());
    locator.SetIdList(foreign.get());
    // WHEN one replaces the other THEN nothing is reported, yet the new list is held
    locator.SetIdList(other.get());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(IdListToBytes(locator.GetIdList()), IdListToBytes(other.get()));
    TPTShellLocator same;
    same.SetIdList(other.get());
    EXPECT_FALSE(locator.IsEqual(same));
}

TEST_F(ShellLocatorTest, UnparsablePathMovesToTheDesktop)
{
    TPTShellLocator locator(counter());
    locator.SetPathName(path("Reports"));
    locator.SetPathName(path("Reports/no such folder/x"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(locator.GetIdList(), nullptr);
    EXPECT_EQ(locator.GetLocatorMode(), TPTShellLocator::lmIdList);
}

TEST_F(ShellLocatorTest, SpecialFoldersAndAssign)
{
    TPTShellLocator locator(counter());
    locator.SetCSIDL(csidlDesktop);
    locator.SetCSIDL(csidlDesktop);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(locator.GetCSIDL(), csidlDesktop);
    // The special folder's list is fetched on use: the desktop's empty list
    ASSERT_NE(locator.GetIdList(), nullptr);
    EXPECT_EQ(IdListLen(locator.GetIdList()), 2);

    TPTShellLocator drives;
    drives.SetCSIDL(csidlDrives);
    locator.Assign(&drives);
    EXPECT_EQ(changes, 2);
    TPTShellLocator sameDrives;
    sameDrives.SetCSIDL(csidlDrives);
    locator.Assign(&sameDrives);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(locator.IsEqual(sameDrives));
    EXPECT_FALSE(locator.IsEqual(TPTShellLocator()));

    // A list-mode source hands over a copy of its list
    TPTShellLocator folder;
    folder.SetPathName(path("Reports"));
    locator.Assign(&folder);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(locator.GetCSIDL(), csidlNone);
    EXPECT_TRUE(locator.IsEqual(folder));
    EXPECT_NE(locator.GetIdList(), folder.GetIdList());
    folder.Clear();
    EXPECT_EQ(locator.GetPathName(), path("Reports"));

    locator.Assign(nullptr);
    locator.Assign(nullptr);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(locator.GetIdList(), nullptr);
}

TEST_F(ShellLocatorTest, PidlRecordLayoutPerMode)
{
    TPTShellLocator locator;
    EXPECT_TRUE(locator.PidlProperty().isEmpty()) << "a desktop in identifier-list mode";

    locator.SetCSIDL(csidlDrives);
    EXPECT_EQ(locator.PidlProperty(), bytes({1, 17}));
    locator.SetCSIDL(csidlDesktop);
    EXPECT_EQ(locator.PidlProperty(), bytes({1, 0}));

    locator.SetPathName(path("Reports/2026"));
    const QByteArray list = IdListToBytes(parsed("Reports/2026").get());
    ASSERT_GT(list.size(), 2);
    const QByteArray record = locator.PidlProperty();
    EXPECT_EQ(record.size(), 5 + list.size());
    EXPECT_EQ(record, listRecord(list.size(), list));
}

TEST_F(ShellLocatorTest, ReadingRestoresWithoutReports)
{
    TPTShellLocator source;
    source.SetPathName(path("Reports"));
    TPTShellLocator target(counter());
    ASSERT_TRUE(target.SetPidlProperty(source.PidlProperty()));
    EXPECT_TRUE(target.IsEqual(source));
    EXPECT_EQ(target.GetPathName(), path("Reports"));

    // A special folder replaces the list held before
    ASSERT_TRUE(target.SetPidlProperty(bytes({1, 0})));
    EXPECT_EQ(target.GetCSIDL(), csidlDesktop);
    EXPECT_EQ(IdListLen(target.GetIdList()), 2);

    // Any non-zero mode byte is special-folder mode; length 0 is the desktop folder
    ASSERT_TRUE(target.SetPidlProperty(bytes({7, 17})));
    EXPECT_EQ(target.GetLocatorMode(), TPTShellLocator::lmSpecialFolder);
    EXPECT_EQ(target.GetCSIDL(), csidlDrives);
    ASSERT_TRUE(target.SetPidlProperty(listRecord(0, {})));
    EXPECT_EQ(target.GetCSIDL(), csidlDesktop);

    // A stored empty list is the desktop, held as no list
    ASSERT_TRUE(target.SetPidlProperty(listRecord(2, bytes({0, 0}))));
    EXPECT_EQ(target.GetLocatorMode(), TPTShellLocator::lmIdList);
    EXPECT_EQ(target.GetIdList(), nullptr);

    // An absent property leaves the locator alone
    target.SetCSIDL(csidlDrives);
    changes = 0;
    ASSERT_TRUE(target.SetPidlProperty({}));
    EXPECT_EQ(target.GetCSIDL(), csidlDrives);
    EXPECT_EQ(changes, 0);
}

TEST_F(ShellLocatorTest, MalformedRecordsAreRefused)
{
    TPTShellLocator locator(counter());
    locator.SetPathName(path("Reports"));
    changes = 0;
    const QByteArray list = IdListToBytes(parsed("Reports").get());

    const QByteArray records[] = {
        bytes({0}),                              // length cut off
        bytes({1}),                              // code cut off
        bytes({1, 29}),                          // no such special folder
        bytes({1, 17, 0}),                       // trailing byte
        listRecord(-2, {}),                      // negative length
        listRecord(1, bytes({0})),               // shorter than a terminator
        listRecord(0x7fffffff, list),            // longer than the data
        listRecord(list.size() + 1, list + 'x'), // no terminator at the end
        listRecord(4, bytes({2, 0, 0, 0})),      // an item that never advances
        listRecord(list.size(), list.left(list.size() - 1)),
    };
    for (const QByteArray& record : records) {
        SCOPED_TRACE(record.toHex().toStdString());
        EXPECT_FALSE(locator.SetPidlProperty(record));
        EXPECT_EQ(locator.GetPathName(), path("Reports"));
    }
    EXPECT_EQ(changes, 0);
}
