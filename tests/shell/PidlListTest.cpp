#include "ShellTestSupport.h"

#include "platform/EPlatformError.h"
#include "shell/UPTShellUtils.h"

#include <QTemporaryDir>

#include <algorithm>

namespace
{

// A list owned by the test: one item with the given data.
struct Lists {
    std::vector<TIdListPtr> owned;
    PItemIDList make(const QByteArray& data)
    {
        owned.emplace_back(MakeRawIdList({data}));
        return owned.back().get();
    }
};

} // namespace

using PidlList = ShellAllocTest;

TEST_F(PidlList, RawByteOrderPutsShorterListsFirst)
{
    Lists l;
    // The size bytes come first, so a longer item sorts after a shorter one.
    EXPECT_GT(CompareIdListBytes(l.make("ab"), l.make("b")), 0);
    EXPECT_LT(CompareIdListBytes(l.make("ab"), l.make("ac")), 0);
    TIdListPtr twoItems(MakeRawIdList({"a", "b"}));
    EXPECT_LT(CompareIdListBytes(l.make("a"), twoItems.get()), 0);
    EXPECT_EQ(CompareIdListBytes(l.make("same"), l.make("same")), 0);
    EXPECT_GT(CompareIdListBytes(l.make("\xff"), l.make("\x01")), 0);
}

TEST_F(PidlList, SortedListAndDuplicates)
{
    Lists l;
    TPTPidlList list;
    EXPECT_EQ(list.Duplicates(), ptdupError);
    list.Add(l.make("c"));
    list.Add(l.make("a"));
    list.AddObject(l.make("b"), &l);
    list.SetSorted(true);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(IdListToBytes(list.GetPIDL(0)), IdListToBytes(l.make("a")));
    EXPECT_EQ(list.GetObject(1), &l);

    try {
        list.Add(l.make("b"));
        FAIL() << "no exception";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("TPTPidlList: Duplicate PIDL"));
    }
    EXPECT_EQ(list.GetCount(), 3);

    list.SetDuplicates(ptdupIgnore);
    EXPECT_EQ(list.Add(l.make("b")), 1);
    EXPECT_EQ(list.GetCount(), 3);

    list.SetDuplicates(ptdupAccept);
    list.Add(l.make("b"));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(IdListToBytes(list.GetPIDL(2)), IdListToBytes(l.make("b")));

    int index = -1;
    EXPECT_TRUE(list.BinarySearch(l.make("b"), index));
    EXPECT_EQ(index, 1); // accepting duplicates finds the first of them
    EXPECT_FALSE(list.BinarySearch(l.make("b0"), index));
    EXPECT_EQ(index, 4); // insertion point: longer items sort last
    EXPECT_EQ(list.IndexOf(l.make("zzz")), -1);
    EXPECT_EQ(list.IndexOf(l.make("c")), 3);
}

TEST_F(PidlList, UnsortedSearchDeleteInsertAndCapacity)
{
    Lists l;
    TPTPidlList list;
    list.SetCapacity(10);
    EXPECT_GE(list.GetCapacity(), 10);
    list.Add(l.make("z"));
    list.Add(l.make("y"));
    list.Insert(0, l.make("x"));
    EXPECT_EQ(list.IndexOf(l.make("y")), 2);
    int index = -1;
    EXPECT_TRUE(list.LinearSearch(l.make("z"), index));
    EXPECT_EQ(index, 1);
    list.Delete(1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_THROW(list.Delete(2), EPlatformError);
    EXPECT_THROW(list.InsertObject(5, l.make("q"), nullptr), EPlatformError);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(PidlList, MallocMakesTheListOwnItsLists)
{
    const long before = ShellLiveBlockCount();
    {
        TPTPidlList list;
        list.SetMalloc(ShellIMalloc());
        list.Add(MakeRawIdList({"one"}));
        list.Add(MakeRawIdList({"two"}));
        list.Add(MakeRawIdList({"three"}));
        list.SetPIDL(0, MakeRawIdList({"uno"}));
        EXPECT_EQ(ShellLiveBlockCount(), before + 3);
        list.Delete(1);
        EXPECT_EQ(ShellLiveBlockCount(), before + 2);
    }
    EXPECT_EQ(ShellLiveBlockCount(), before);
}

TEST_F(PidlList, ComparesThroughTheShellFolderWhenSet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b", "a10", "a2", "A3"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(name)));
    TComPtr<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(desktop.put()), S_OK);
    TIdListPtr folderList;
    ASSERT_EQ(
        desktop->ParseDisplayName(nullptr, nullptr, dir.path(), nullptr, folderList.put(), nullptr),
        S_OK);
    TComPtr<IShellFolder> folder;
    ASSERT_EQ(desktop->BindToObject(folderList.get(), nullptr, IID_IShellFolder, folder.putVoid()),
              S_OK);

    TPTPidlList list;
    list.SetMalloc(ShellIMalloc());
    list.SetShellFolder(folder.get());
    for (const char* name : {"b", "a10", "a2", "A3"}) {
        PItemIDList item = nullptr;
        ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, QString::fromLatin1(name), nullptr,
                                           &item, nullptr),
                  S_OK);
        list.Add(item);
    }
    list.SetSorted(true);
    QStringList order;
    for (int i = 0; i < list.GetCount(); ++i) {
        TStrRet name;
        ASSERT_EQ(folder->GetDisplayNameOf(list.GetPIDL(i), SHGDN_INFOLDER, &name), S_OK);
        order << StrretToString(list.GetPIDL(i), name);
        StrretFree(name);
    }
    EXPECT_EQ(order, (QStringList{"a2", "A3", "a10", "b"}));

    PItemIDList probe = nullptr;
    ASSERT_EQ(
        folder->ParseDisplayName(nullptr, nullptr, QStringLiteral("a10"), nullptr, &probe, nullptr),
        S_OK);
    EXPECT_EQ(list.IndexOf(probe), 2);
    ShellMemFree(probe);
}

TEST_F(PidlList, AddingToASortedListGivesEachItsPlaceAtOnce)
{
    // GIVEN a sorted list taking many lists in random order, some of them twice
    Lists l;
    TPTPidlList list;
    list.SetSorted(true);
    list.SetDuplicates(ptdupIgnore);
    std::vector<PCItemIDList> expected; // kept in order by the test itself
    std::uint32_t seed = 7;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        PItemIDList item = l.make(QByteArray::number((seed >> 8) % 2000));
        const auto at = std::lower_bound(
            expected.begin(), expected.end(), item,
            [](PCItemIDList a, PCItemIDList b) { return CompareIdListBytes(a, b) < 0; });
        const bool twice = at != expected.end() && CompareIdListBytes(*at, item) == 0;
        const int place = int(at - expected.begin());
        if (!twice)
            expected.insert(at, item);
        // THEN each answer is the place the list holds it at now, also while
        // pairs wait to be put in place (nothing here reads the list between adds)
        ASSERT_EQ(list.Add(item), place) << i;
    }
    ASSERT_EQ(list.GetCount(), int(expected.size()));
    for (int i = 0; i < list.GetCount(); ++i)
        ASSERT_EQ(CompareIdListBytes(list.GetPIDL(i), expected[size_t(i)]), 0) << i;

    // AND a duplicate is still refused when its twin has not been put in place yet
    list.SetDuplicates(ptdupError);
    list.Add(l.make("new one"));
    EXPECT_THROW(list.Add(l.make("new one")), EPlatformError);
    EXPECT_EQ(list.IndexOf(l.make("new one")), list.GetCount() - 1);
}

TEST_F(PidlList, RemoveCommonEntriesLeavesTheVanishedAndTheNew)
{
    // GIVEN the entries shown (borrowed) and a refreshed enumeration (owned)
    Lists l;
    TPTPidlList shown;
    for (const char* name : {"keep1", "gone1", "keep2", "gone2", "keep3"})
        shown.AddObject(l.make(name), const_cast<char*>(name));
    const long before = ShellLiveBlockCount();
    TPTPidlList refreshed;
    refreshed.SetMalloc(ShellIMalloc());
    for (const char* name : {"new2", "keep3", "keep1", "new1", "keep2"})
        refreshed.AddObject(MakeRawIdList({name}), const_cast<char*>(name));

    QStringList common;
    shown.RemoveCommonEntries(refreshed, [&](void* here, void* there) {
        common << QString::fromLatin1(static_cast<const char*>(here)) + '=' +
                      QString::fromLatin1(static_cast<const char*>(there));
    });
    const long after = ShellLiveBlockCount();
    EXPECT_EQ(common, (QStringList{"keep1=keep1", "keep2=keep2", "keep3=keep3"}));

    // THEN the shown list keeps what vanished (with its objects), the
    // enumeration what is new (in its own order), and matched copies are freed
    ASSERT_EQ(shown.GetCount(), 2);
    EXPECT_STREQ(static_cast<const char*>(shown.GetObject(0)), "gone1");
    EXPECT_STREQ(static_cast<const char*>(shown.GetObject(1)), "gone2");
    ASSERT_EQ(refreshed.GetCount(), 2);
    EXPECT_EQ(IdListToBytes(refreshed.GetPIDL(0)), IdListToBytes(l.make("new2")));
    EXPECT_EQ(IdListToBytes(refreshed.GetPIDL(1)), IdListToBytes(l.make("new1")));
    EXPECT_EQ(after, before + 2);
}
