#include "ShellListFixture.h"

#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTListItemModel.h"
#include "platform/FileNameCodec.h"
#include "platform/Registry.h"
#include "shell/PTEventGuard.h"
#include "shell/UPTShellUtils.h"
#include "shell/utils/FileMask.h"
#include "shellwidgets/list/ColumnWidthStore.h"

#include <QTest>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace
{

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

// ---- what a folder yields ----------------------------------------------------

TEST(ShellListMasks, SplitMatchAndEverything)
{
    EXPECT_EQ(SplitFileFilter(QStringLiteral("*.txt;;*.doc")),
              (QList<QByteArray>{"*.txt", "*.doc"}));
    // A blank belongs to the mask: " *.doc" matches no plain name.
    EXPECT_FALSE(FileMaskMatches(" *.doc", "a.doc"));
    EXPECT_TRUE(FileMaskMatches("*.CSV", "run.csv"));
    EXPECT_TRUE(FileMaskMatches("r?n*.c*", "RUN1.csv"));
    EXPECT_FALSE(FileMaskMatches("r?n.csv", "rn.csv"));
    EXPECT_FALSE(FileMaskMatches("*.csv", "a.csv.bak"));
    EXPECT_TRUE(FileMaskMatches("*.*", "README"));
}

TEST_F(ShellListFixture, MasksHideFilesButNeverFolders)
{
    makeFile(work() + "/a.csv");
    makeFile(work() + "/B.TXT");
    makeFile(work() + "/c.doc");
    makeDir(work() + "/folder.doc");
    makeDir(work() + "/sub");
    show(work());
    EXPECT_EQ(list->ItemCount(), 5);

    list->SetFileFilter(QStringLiteral("*.csv;*.txt"));
    waitForListing();
    EXPECT_EQ(sorted(captions()), (QStringList{"B.TXT", "a.csv", "folder.doc", "sub"}));

    list->SetFileFilter(QStringLiteral("*.xyz"));
    waitForListing();
    EXPECT_EQ(sorted(captions()), (QStringList{"folder.doc", "sub"}));

    list->SetFileFilter(QStringLiteral("*"));
    waitForListing();
    EXPECT_EQ(list->ItemCount(), 5);
}

TEST_F(ShellListFixture, MasksDoNotApplyToFoldersWithoutAPath)
{
    // The trash is a virtual folder; its entries are files with paths.
    makeDir(root() + "/data/Trash");
    makeDir(root() + "/data/Trash/files");
    makeDir(root() + "/data/Trash/info");
    makeFile(root() + "/data/Trash/files/old.txt");
    list->SetFileFilter(QStringLiteral("*.csv"));
    PItemIDList trash = nullptr;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlBitBucket, &trash), S_OK);
    list->Folder().SetIdList(trash);
    ShellMemFree(trash);
    waitForListing();
    EXPECT_EQ(captions(), QStringList{"old.txt"});
}

TEST_F(ShellListFixture, OnAddItemVetoesItemsAndSeesTheFolder)
{
    makeFile(work() + "/keep.txt");
    makeFile(work() + "/drop.txt");
    QString seenFolder;
    list->OnAddItem = [&](TPTCustomShellList*, IShellFolder* folder, PCItemIDList parentAbs,
                          PCItemIDList item, std::uint32_t attributes, bool& allow) {
        seenFolder = ShellGetPathFromIdList(parentAbs);
        EXPECT_NE(folder, nullptr);
        EXPECT_TRUE(attributes & SFGAO_FILESYSTEM);
        TStrRet name;
        ASSERT_EQ(folder->GetDisplayNameOf(item, SHGDN_INFOLDER, &name), S_OK);
        if (StrretToString(item, name) == QLatin1String("drop.txt"))
            allow = false;
        StrretFree(name);
    };
    show(work());
    EXPECT_EQ(captions(), QStringList{"keep.txt"});
    EXPECT_EQ(seenFolder, FileNameToString(work()));
}

TEST_F(ShellListFixture, HiddenItemsFollowTheOptionAndAreDrawnCut)
{
    makeFile(work() + "/.dot");
    makeFile(work() + "/listed");
    makeFile(work() + "/plain");
    makeFile(work() + "/.hidden", "listed\n");
    show(work());
    EXPECT_EQ(sorted(captions()), (QStringList{".dot", ".hidden", "listed", "plain"}));
    EXPECT_TRUE(list->Item(rowOf("listed")).Cut);
    EXPECT_TRUE(list->Item(rowOf(".dot")).Cut);
    EXPECT_FALSE(list->Item(rowOf("plain")).Cut);

    const int plainRow = rowOf("plain");
    list->SetSelected(plainRow, true);
    list->SetOptions(list->Options().With(ptsloShowHidden, false));
    waitForListing();
    EXPECT_EQ(captions(), QStringList{"plain"});
    EXPECT_TRUE(list->IsSelected(0));
}

TEST_F(ShellListFixture, FifosDevicesAndNamesThatAreNotUtf8)
{
    ASSERT_EQ(::mkfifo((work() + "/pipe").constData(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", (work() + "/null").constData()), 0);
    const QByteArray latin1 = "caf\xe9.csv";
    makeFile(work() + "/" + latin1, "x");
    makeFile(work() + "/cafe.csv");
    makeFile(work() + "/cafg.csv");
    show(work());
    // Listed without opening the pipe; sorted by name with the odd byte in place.
    EXPECT_EQ(captions(), (QStringList{"cafe.csv", "cafg.csv", QStringLiteral("caf\uFFFD.csv"),
                                       "null", "pipe"}));
    TPTShListData* data = list->GetShListData(2);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(FileNameFromString(data->GetPathName()).toStdString(),
              (work() + "/" + latin1).toStdString());
    // The mask sees the name too.
    list->SetFileFilter(QStringLiteral("caf?.csv"));
    waitForListing();
    EXPECT_EQ(list->ItemCount(), 3);
}

TEST_F(ShellListFixture, LineBreaksAndLongNamesStayOnOneLegibleRow)
{
    const QByteArray broken = "line\nbreak\t.csv";
    const QByteArray longest(255, 'n');
    makeFile(work() + "/" + broken);
    makeFile(work() + "/" + longest);
    show(work());
    EXPECT_EQ(captions(), (QStringList{QStringLiteral("line\uFFFDbreak\uFFFD.csv"),
                                       QString::fromLatin1(longest)}));
    EXPECT_EQ(FileNameFromString(list->GetShListData(0)->GetPathName()), work() + "/" + broken);
    EXPECT_EQ(FileNameFromString(list->GetShListData(1)->GetPathName()), work() + "/" + longest);
}

// ---- columns -------------------------------------------------------------------

TEST_F(ShellListFixture, DefaultColumnsTheirWidthsAndTheStore)
{
    makeDir(work() + "/a");
    makeDir(work() + "/b");
    show(work() + "/a");
    ASSERT_EQ(list->ColumnMode(), 2);
    ASSERT_EQ(list->ColumnCount(), 4);
    EXPECT_EQ(list->Column(0).Caption, QStringLiteral("Name"));
    EXPECT_EQ(list->Column(1).Caption, QStringLiteral("Size"));
    EXPECT_EQ(list->Column(2).Caption, QStringLiteral("Type"));
    EXPECT_EQ(list->Column(3).Caption, QStringLiteral("Modified"));
    EXPECT_EQ(list->Column(1).Alignment & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(list->ColumnWidth(0), 200);
    EXPECT_EQ(list->ColumnWidth(1), 60);
    EXPECT_EQ(list->ColumnWidth(2), 100);
    EXPECT_EQ(list->ColumnWidth(3), 120);

    // The user's widths come back in the next folder.
    list->SetColumnWidth(0, 321);
    list->SetColumnWidth(3, 99);
    show(work() + "/b");
    EXPECT_EQ(list->ColumnWidth(0), 321);
    EXPECT_EQ(list->ColumnWidth(1), 60);
    EXPECT_EQ(list->ColumnWidth(3), 99);
}

TEST_F(ShellListFixture, DirectoryColsFromTheRegistrySetTheDefaults)
{
    auto key = TRegistryKey::Open(TRegistryRoot::CurrentUser,
                                  QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\"
                                                 "Explorer"),
                                  true);
    ASSERT_TRUE(key);
    // 150 and 80: the rest keeps the built-in widths.
    ASSERT_TRUE(
        key->WriteBinary(QStringLiteral("DirectoryCols"), QByteArray("\x96\x00\x50\x00", 4)));
    show(work());
    EXPECT_EQ(list->ColumnWidth(0), 150);
    EXPECT_EQ(list->ColumnWidth(1), 80);
    EXPECT_EQ(list->ColumnWidth(2), 100);
}

TEST_F(ShellListFixture, ComputerShowsTheColumnsOfItsDetails)
{
    PItemIDList drives = nullptr;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, &drives), S_OK);
    list->Folder().SetIdList(drives);
    ShellMemFree(drives);
    waitForListing();
    EXPECT_EQ(list->ColumnMode(), 1);
    EXPECT_EQ(list->ColumnCount(), 4);
    EXPECT_FALSE(list->SaveColumnWidths());
    ASSERT_GT(list->ItemCount(), 0);
    EXPECT_EQ(cell(0, 0), QStringLiteral("File System"));
}

// ---- sorting -------------------------------------------------------------------

TEST_F(ShellListFixture, SortsByEveryColumnBothWaysWithTheArrow)
{
    makeFile(work() + "/b.txt", QByteArray(3000, 'x'));
    makeFile(work() + "/a.png", QByteArray(10, 'x'));
    makeFile(work() + "/c.csv", QByteArray(2000, 'x'));
    makeDir(work() + "/zdir");
    ::utimensat(AT_FDCWD, (work() + "/c.csv").constData(),
                std::array<timespec, 2>{timespec{0, UTIME_OMIT}, timespec{1000, 0}}.data(), 0);
    ::utimensat(AT_FDCWD, (work() + "/a.png").constData(),
                std::array<timespec, 2>{timespec{0, UTIME_OMIT}, timespec{2000, 0}}.data(), 0);
    ::utimensat(AT_FDCWD, (work() + "/b.txt").constData(),
                std::array<timespec, 2>{timespec{0, UTIME_OMIT}, timespec{3000, 0}}.data(), 0);
    show(work());
    EXPECT_EQ(list->SortColumn(), 1);
    EXPECT_EQ(captions(), (QStringList{"zdir", "a.png", "b.txt", "c.csv"}));
    EXPECT_EQ(list->HeaderSortColumn(), 0);
    EXPECT_EQ(list->HeaderSortDirection(), ptsdDesc);

    list->SetSortColumn(2); // size
    EXPECT_EQ(captions(), (QStringList{"zdir", "a.png", "c.csv", "b.txt"}));
    EXPECT_EQ(list->HeaderSortColumn(), 1);
    list->SetSortColumn(4); // modified
    EXPECT_EQ(captions(), (QStringList{"zdir", "c.csv", "a.png", "b.txt"}));
    list->SetSortColumn(3); // type
    EXPECT_EQ(captions().first(), QStringLiteral("zdir"));
    // Descending is the exact reverse of ascending, in every column.
    for (int column = 1; column <= 4; ++column) {
        list->SetSortColumn(column);
        QStringList reversed = captions();
        std::reverse(reversed.begin(), reversed.end());
        list->SetSortColumn(-column);
        EXPECT_EQ(captions(), reversed) << "column " << column;
        EXPECT_EQ(list->HeaderSortColumn(), column - 1);
        EXPECT_EQ(list->HeaderSortDirection(), ptsdAsc);
    }

    // A click on the sorted column turns it round, a second click back.
    list->SetSortColumn(1);
    const QStringList ascending = captions();
    emit list->GetHeaderHandle()->sectionClicked(0);
    EXPECT_EQ(list->SortColumn(), -1);
    EXPECT_EQ(list->HeaderSortDirection(), ptsdAsc);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(captions(), descending);
    emit list->GetHeaderHandle()->sectionClicked(0);
    EXPECT_EQ(list->SortColumn(), 1);
    EXPECT_EQ(list->HeaderSortDirection(), ptsdDesc);
    EXPECT_EQ(captions(), ascending);
    // Another column starts ascending; a handler that sorts itself wins.
    emit list->GetHeaderHandle()->sectionClicked(1);
    EXPECT_EQ(list->SortColumn(), 2);
    list->OnColumnClick = [](TPTCustomListView* sender, int) {
        static_cast<TPTCustomShellList*>(sender)->SetSortColumn(4);
    };
    emit list->GetHeaderHandle()->sectionClicked(1);
    EXPECT_EQ(list->SortColumn(), 4);
}

// ---- refresh -------------------------------------------------------------------

TEST_F(ShellListFixture, RefreshAddsRemovesAndRenamesKeepingTheSelection)
{
    for (const char* name : {"a", "b", "c", "d"})
        makeFile(work() + "/" + name);
    show(work());
    list->SetSelected(rowOf("b"), true);
    list->SetSelected(rowOf("d"), true);
    list->SetItemFocused(rowOf("d"));
    TPTShListData* dData = list->GetShListData(rowOf("d"));
    EXPECT_EQ(cell(rowOf("d"), 1), QStringLiteral("0KB")); // shown once, so kept

    ASSERT_EQ(::unlink((work() + "/a").constData()), 0);
    ASSERT_EQ(::rename((work() + "/c").constData(), (work() + "/e").constData()), 0);
    makeFile(work() + "/0new");
    makeFile(work() + "/d", "written to");
    list->RefreshItems();
    waitForListing();

    // Vanished items go, new ones come at the end, unchanged items stay put.
    EXPECT_EQ(captions().mid(0, 2), (QStringList{"b", "d"}));
    EXPECT_EQ(sorted(captions().mid(2)), (QStringList{"0new", "e"}));
    EXPECT_TRUE(list->IsSelected(rowOf("b")));
    EXPECT_TRUE(list->IsSelected(rowOf("d")));
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->ItemFocused(), rowOf("d"));
    // A file written to is the same item with fresh data.
    EXPECT_EQ(list->GetShListData(rowOf("d")), dData);
    EXPECT_EQ(cell(rowOf("d"), 1), QStringLiteral("1KB"));
}

TEST_F(ShellListFixture, ChangeNoticesRefreshTheListAfterTheDelay)
{
    makeFile(work() + "/first");
    show(work());
    ASSERT_EQ(list->ItemCount(), 1);
    makeFile(work() + "/second");
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->RefreshTimerActive(); }, 5000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return list->ItemCount() == 2 && !list->IsListing(); }, 5000));
    EXPECT_EQ(captions(), (QStringList{"first", "second"}));
}

TEST_F(ShellListFixture, ADeletedFolderTakesTheListToItsNearestAncestor)
{
    makeDir(work() + "/a");
    makeDir(work() + "/a/b");
    makeFile(work() + "/a/b/x");
    show(work() + "/a/b");
    int folderChanges = 0;
    list->OnFolderChanged = [&](TPTCustomShellList*) { ++folderChanges; };
    ::unlink((work() + "/a/b/x").constData());
    ::rmdir((work() + "/a/b").constData());
    ::rmdir((work() + "/a").constData());
    list->RefreshItems();
    waitForListing();
    EXPECT_EQ(list->Folder().GetPathName(), FileNameToString(work()));
    EXPECT_EQ(folderChanges, 1);
    EXPECT_TRUE(messages.isEmpty());
}

// ---- failures and slow folders ---------------------------------------------------

TEST_F(ShellListFixture, AnUnreadableFolderShowsOneMessageAndAnEmptyList)
{
    for (int i = 0; i < 50; ++i)
        makeFile(work() + "/f" + QByteArray::number(i));
    makeDir(work() + "/locked");
    makeFile(work() + "/locked/secret");
    ASSERT_EQ(::chmod((work() + "/locked").constData(), 0), 0);
    show(work());
    // Root passes every permission check: look at the folder as nobody.
    const bool root = ::geteuid() == 0;
    if (root) {
        for (QByteArray dir = work(); dir.size() > 1; dir = dir.left(dir.lastIndexOf('/')))
            ::chmod(dir.constData(), 0755);
        ::setfsgid(65534);
        ::setfsuid(65534);
    }
    // As the event handler that navigates would, through the guard.
    PTEventGuard([&] { list->Folder().SetPathName(FileNameToString(work() + "/locked")); });
    waitForListing();
    if (root) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
    EXPECT_EQ(list->ItemCount(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("locked"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Permission denied")))
        << messages[0].toStdString();
}

TEST_F(ShellListFixture, ASlowListingGoesOnInTheBackgroundAndCanBeAbandoned)
{
    makeDir(work() + "/one");
    makeDir(work() + "/two");
    makeFile(work() + "/one/x");
    makeFile(work() + "/two/y");
    TPTCustomShellList::ListingWaitMs = -1;
    int completes = 0;
    list->OnFillComplete = [&](TPTCustomShellList*) { ++completes; };
    list->Folder().SetPathName(FileNameToString(work() + "/one"));
    // Navigating on before the first listing ended abandons it.
    list->Folder().SetPathName(FileNameToString(work() + "/two"));
    waitForListing();
    EXPECT_EQ(captions(), QStringList{"y"});
    EXPECT_EQ(completes, 2);
    EXPECT_FALSE(list->IsListing());
}

TEST_F(ShellListFixture, DestroyingTheListFreesEveryRecord)
{
    for (int i = 0; i < 20; ++i)
        makeFile(work() + "/f" + QByteArray::number(i));
    show(work());
    int deleted = 0;
    list->OnDeleteItem = [&](TPTCustomShellList*, TPTListItem*, TPTShListData* data) {
        EXPECT_NE(data, nullptr);
        ++deleted;
    };
    const long before = ShellLiveBlockCount();
    list.reset();
    EXPECT_EQ(deleted, 20);
    EXPECT_LT(ShellLiveBlockCount(), before - 19);
}

TEST_F(ShellListFixture, TheDesktopIsRefreshedByComparingItsItems)
{
    const QByteArray desktop = root() + "/home/Desktop";
    makeFile(desktop + "/note.txt");
    makeFile(desktop + "/old.txt");
    // The list shows the desktop from the start.
    list->FillItems();
    waitForListing();
    const QStringList before = captions();
    ASSERT_TRUE(before.contains(QStringLiteral("Home")));
    ASSERT_TRUE(before.contains(QStringLiteral("note.txt"))) << before.join(",").toStdString();
    list->SetSelected(rowOf("Home"), true);
    TPTShListData* note = list->GetShListData(rowOf("note.txt"));
    EXPECT_EQ(cell(rowOf("note.txt"), 1), QStringLiteral("0KB"));

    makeFile(desktop + "/new.txt");
    makeFile(desktop + "/note.txt", QByteArray(3000, 'x'));
    ::unlink((desktop + "/old.txt").constData());
    list->RefreshItems();
    waitForListing();

    QStringList expected = before;
    expected.removeAll(QStringLiteral("old.txt"));
    expected << QStringLiteral("new.txt");
    EXPECT_EQ(captions(), expected);
    EXPECT_TRUE(list->IsSelected(rowOf("Home")));
    EXPECT_EQ(list->GetShListData(rowOf("note.txt")), note);
    EXPECT_EQ(cell(rowOf("note.txt"), 1), QStringLiteral("3KB"));
}

TEST_F(ShellListFixture, ARefreshWhoseItemsChangedMeanwhileRunsAgain)
{
    for (const char* name : {"a", "b", "c"})
        makeFile(work() + "/" + name);
    show(work());
    TPTCustomShellList::ListingWaitMs = -1;
    ASSERT_EQ(::unlink((work() + "/c").constData()), 0);
    list->RefreshItems();
    ASSERT_TRUE(list->IsListing());
    // Another part of the program takes an item away while the names are read:
    // the answer (which knows "a") no longer fits the list, so the list asks
    // again and ends up showing what the folder holds.
    list->DeleteItem(rowOf("a"));
    waitForListing();
    EXPECT_EQ(captions(), (QStringList{"b", "a"}));
}
