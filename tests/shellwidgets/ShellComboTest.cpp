#include "shellwidgets/combo/TPTShellCombo.h"

#include "LinkedShellDoubles.h"
#include "shell/NamespaceFixture.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/PTMessageBox.h"
#include "shell/UPTShellUtils.h"
#include "shell/namespace/TFileSystemFolder.h"
#include "shell/records/TPTShComboData.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shellwidgets/combo/SortPidls.h"

#include <QTest>

#include <cstdlib>
#include <memory>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>

namespace
{

// Exposes the on-demand completion that drawing an entry runs.
class TTestCombo : public TPTShellCombo
{
  public:
    void Complete(int aIndex) { GetItemData(GetImageComboItem(aIndex)); }
};

class ShellCombo : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        m_previousHandler = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& r) {
            m_messages << r.text;
            return ptmbOk;
        });
    }
    void TearDown() override
    {
        SetPTMessageBoxHandler(m_previousHandler);
        NamespaceFixture::TearDown();
    }

    // A folder below home as the namespace names it on the Home route:
    // Desktop / Home / components.
    PItemIDList homeRoute(const QByteArray& relative)
    {
        TIdListPtr home(MakeRawIdList({QByteArray(1, '\x01')}));
        TComPtr<IShellFolder> homeFolder = bind(home.get());
        TIdListPtr below;
        EXPECT_EQ(homeFolder->ParseDisplayName(nullptr, nullptr, FileNameToString(relative),
                                               nullptr, below.put(), nullptr),
                  S_OK);
        return ConcatIdLists(nullptr, home.get(), below.get());
    }

    void select(TPTCustomShellCombo& combo, PCItemIDList absolute)
    {
        combo.SelectedFolder().SetIdList(absolute);
    }

    // "indent caption" per entry, completed as drawing would; "*" marks the
    // current entry, "--" the separator.
    static QStringList entries(TTestCombo& combo)
    {
        QStringList lines;
        for (int i = 0; i < combo.count(); ++i) {
            if (combo.IsSeparator(i)) {
                lines << QStringLiteral("--");
                continue;
            }
            combo.Complete(i);
            const TPTImageComboItem* item = combo.GetImageComboItem(i);
            lines << QString::number(item->Indent()) + ' ' + item->Caption() +
                         (i == combo.currentIndex() ? QStringLiteral(" *") : QString());
        }
        return lines;
    }

    QString path(const QByteArray& bytes) { return FileNameToString(bytes); }
    void volumeComesAndGoes();
    static constexpr int kCannotMount = 77;

    QStringList m_messages;
    TPTMessageBoxHandler m_previousHandler;
};

// The volumes Computer lists, as entries below it.
QStringList volumeEntries()
{
    QStringList lines;
    for (const TMountEntry& volume : VolumesFromMountTable(CurrentMountTable())) {
        const QByteArray point = volume.mountPoint;
        lines << QStringLiteral("2 ") +
                     (point == "/" ? QStringLiteral("File System")
                                   : FileNameForDisplay(point.mid(point.lastIndexOf('/') + 1)));
    }
    return lines;
}

} // namespace

TEST_F(ShellCombo, FolderFiveLevelsBelowHomeShowsTheHomeRoute)
{
    makeDir(home() + "/a");
    makeDir(home() + "/a/b");
    makeDir(home() + "/a/b/c");
    makeDir(home() + "/a/b/c/d");
    makeDir(home() + "/a/b/c/d/e");
    makeDir(home() + "/Desktop/Notes");
    TIdListPtr e(homeRoute("a/b/c/d/e"));
    TTestCombo combo;
    combo.SetOptions(TPTCustomShellCombo::ptscoAutofill);
    select(combo, e.get());

    // Only the selected entry is complete at once.
    ASSERT_GT(combo.count(), 7);
    EXPECT_EQ(combo.currentIndex(), 6);
    EXPECT_EQ(combo.GetImageComboItem(6)->Caption(), "e");
    EXPECT_NE(combo.GetImageComboItem(6)->ImageIndex(), -1);
    EXPECT_TRUE(combo.GetImageComboItem(3)->Caption().isEmpty());
    EXPECT_EQ(combo.GetImageComboItem(3)->ImageIndex(), -1);

    QStringList expected{"0 Desktop", "1 Home", "2 a", "3 b", "4 c", "5 d", "6 e *", "1 Computer"};
    expected << volumeEntries() << "1 Notes"
             << "--"
             << "1 Documents";
    EXPECT_EQ(entries(combo), expected);

    // Up one level at a time, each time from the entry the combo now shows.
    for (const char* up : {"a/b/c/d", "a/b/c", "a/b", "a"}) {
        combo.GoUp(1);
        EXPECT_EQ(combo.SelectedFolder().GetPathName(), path(home() + '/' + up));
    }
    combo.GoUp(1);
    EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "Home");
    combo.GoUp(1);
    EXPECT_EQ(combo.SelectedFolder().GetIdList(), nullptr) << "the desktop";
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST_F(ShellCombo, FolderOutsideHomeShowsTheComputerRoute)
{
    makeDir(work() + "/x");
    makeDir(work() + "/x/y");
    TIdListPtr y(parse(work() + "/x/y"));
    TTestCombo combo;
    select(combo, y.get());

    // The chain hangs below the volume holding the folder; the other volumes
    // are listed without their folders.
    const QList<TMountEntry> volumes = VolumesFromMountTable(CurrentMountTable());
    const qsizetype holder = LongestMountPointFor(volumes, work());
    ASSERT_GE(holder, 0);
    QByteArray below = (work() + "/x/y").mid(volumes[holder].mountPoint.size());
    QStringList expected{"0 Desktop", "1 Home", "1 Computer"};
    const QStringList volumeLines = volumeEntries();
    for (qsizetype i = 0; i < volumeLines.size(); ++i) {
        expected << volumeLines[i];
        if (i != holder)
            continue;
        int indent = 3;
        for (const QByteArray& part : below.split('/'))
            if (!part.isEmpty())
                expected << QString::number(indent++) + ' ' + FileNameForDisplay(part);
        expected.last() += QStringLiteral(" *");
    }
    expected << "--"
             << "1 Documents";
    EXPECT_EQ(entries(combo), expected);

    combo.GoUp(1);
    EXPECT_EQ(combo.SelectedFolder().GetPathName(), path(work() + "/x"));
    // From a volume one level up is Computer, and from there the desktop.
    TIdListPtr volume(parse(volumes[holder].mountPoint));
    select(combo, volume.get());
    combo.GoUp(1);
    TIdListPtr computer;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, computer.put()), S_OK);
    EXPECT_EQ(CompareAbsIdLists(combo.SelectedFolder().GetIdList(), computer.get()), 0);
    combo.GoUp(1);
    EXPECT_EQ(combo.SelectedFolder().GetIdList(), nullptr);
}

TEST_F(ShellCombo, TheDesktopItselfListsItsFoldersAndGoesNowhereUp)
{
    makeDir(home() + "/Desktop/Notes");
    makeFile(home() + "/Desktop/readme.txt"); // not a folder: no entry
    makeDir(dataHome() + "/Trash");
    makeDir(dataHome() + "/Trash/files");
    TTestCombo combo;
    combo.FillItems();
    QStringList expected{"0 Desktop *", "1 Home", "1 Computer"};
    expected << volumeEntries() << "1 Trash"
             << "1 Notes"
             << "--"
             << "1 Documents";
    EXPECT_EQ(entries(combo), expected);

    // Without the option, Trash (outside the file system) is left out.
    combo.SetOptions(TPTCustomShellCombo::ptscoAutofill);
    combo.FillItems();
    EXPECT_FALSE(entries(combo).contains("1 Trash"));

    int changes = 0;
    combo.SelectedFolder().SetOnChange([&](TPTShellLocator*) { ++changes; });
    combo.GoUp(1);
    EXPECT_EQ(changes, 0);
}

TEST_F(ShellCombo, ChoosingAnEntryMovesALinkedListOnce)
{
    makeDir(work() + "/x");
    makeDir(work() + "/x/y");
    TIdListPtr y(parse(work() + "/x/y"));
    TTestCombo combo;
    TLinkedListDouble list;
    combo.SetShellList(&list);
    EXPECT_EQ(list.Combo, &combo);

    // The list navigates through the combo, which refills around the folder.
    list.NavigateTo(y.get());
    EXPECT_EQ(list.Folder.GetPathName(), path(work() + "/x/y"));
    EXPECT_EQ(list.FolderChanges, 1);
    EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "y");

    // The user chooses Home in the drop-down.
    const int homeEntry = 1;
    combo.setCurrentIndex(homeEntry);
    emit combo.activated(homeEntry);
    EXPECT_EQ(list.Folder.GetPathName(), path(home()));
    EXPECT_EQ(list.FolderChanges, 2) << "the list's echo is not passed back";
    EXPECT_EQ(combo.currentIndex(), homeEntry);
    EXPECT_EQ(combo.GetImageComboItem(homeEntry)->Caption(), "Home");

    // A tree cannot be linked beside the list; a destroyed list is forgotten.
    TLinkedTreeDouble tree;
    combo.SetShellTree(&tree);
    EXPECT_EQ(combo.ShellTree(), nullptr);
    tree.SetShellCombo(&combo);
    EXPECT_EQ(tree.Combo, nullptr) << "the refused side stays unlinked";
    {
        TLinkedListDouble shortLived;
        combo.SetShellList(&shortLived);
        EXPECT_EQ(list.Combo, nullptr) << "the old partner forgets the combo";
    }
    EXPECT_EQ(combo.ShellList(), nullptr);
    combo.GoUp(1); // would reach the destroyed list
}

TEST_F(ShellCombo, ALinkedTreeFollowsTheComboAndTheComboTheTree)
{
    makeDir(home() + "/a");
    makeDir(home() + "/a/b");
    TIdListPtr b(homeRoute("a/b"));
    TTestCombo combo;
    TLinkedTreeDouble tree;
    combo.SetShellTree(&tree);

    select(combo, b.get());
    EXPECT_EQ(tree.SelectedFolder.GetPathName(), path(home() + "/a/b"));
    EXPECT_EQ(tree.SelectionChanges, 1);

    // The user chooses "a" (Desktop, Home, a, b) in the drop-down.
    combo.setCurrentIndex(2);
    emit combo.activated(2);
    EXPECT_EQ(tree.SelectedFolder.GetPathName(), path(home() + "/a"));
    EXPECT_EQ(tree.SelectionChanges, 2);

    // A node chosen in the tree moves the combo; the tree's SyncLock ends the echo.
    tree.SelectNode(b.get());
    EXPECT_EQ(combo.SelectedFolder().GetPathName(), path(home() + "/a/b"));
    EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "b");
    EXPECT_EQ(tree.SelectionChanges, 3);

    combo.Loaded();
    EXPECT_EQ(tree.Refreshes, 1);
    combo.TreeChanged(nullptr); // a node without a record changes nothing
    EXPECT_EQ(combo.SelectedFolder().GetPathName(), path(home() + "/a/b"));
}

TEST_F(ShellCombo, PlacesComeFromUserDirectoriesAndBookmarksThatExist)
{
    makeDir(home() + "/Music");
    makeDir(work() + "/Projects");
    makeDir(work() + "/caf\xe9"); // Latin-1, not UTF-8
    makeDir(home() + "/Videos");  // hidden in the KDE places
    makeDir(configHome() + "/gtk-3.0");
    makeFile(configHome() + "/gtk-3.0/bookmarks",
             "file://" + (work() + "/Projects").toPercentEncoding("/") + " My projects\n" +
                 "file://" + (work() + "/gone").toPercentEncoding("/") + " Gone\n" +
                 "sftp://server/srv/data Server\n" + "file://" +
                 (work() + "/caf\xe9").toPercentEncoding("/") + "\n" + "file://" +
                 home().toPercentEncoding("/") + " Home again\n");
    makeFile(dataHome() + "/user-places.xbel",
             "<?xml version='1.0'?><xbel><bookmark href=\"remote:/\"><title>Network</title>"
             "</bookmark><bookmark href=\"file://" +
                 (home() + "/Videos").toPercentEncoding("/") +
                 "\"><title>Films</title><info><metadata><IsHidden>true</IsHidden>"
                 "</metadata></info></bookmark><bookmark href=\"file://" +
                 (work() + "/Projects").toPercentEncoding("/") +
                 "\"><title>Twice</title></bookmark></xbel>");
    TTestCombo combo;
    combo.FillItems();
    const QStringList all = entries(combo);
    const qsizetype separator = all.indexOf("--");
    ASSERT_GE(separator, 0);
    EXPECT_EQ(all.mid(separator + 1),
              (QStringList{"1 Documents", "1 Music", "1 Videos", "1 My projects",
                           QStringLiteral("1 caf\uFFFD")}));

    // Choosing the place whose name is not UTF-8 opens that very folder.
    const int place = combo.count() - 1;
    ASSERT_NE(combo.GetPlace(place), nullptr);
    combo.setCurrentIndex(place);
    emit combo.activated(place);
    EXPECT_EQ(FileNameFromString(combo.SelectedFolder().GetPathName()), work() + "/caf\xe9");
    EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(),
              QStringLiteral("caf\uFFFD"));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ShellCombo, APlaceThatVanishedIsReportedAndTheShownFolderStays)
{
    makeDir(work() + "/Projects");
    makeDir(configHome() + "/gtk-3.0");
    makeFile(configHome() + "/gtk-3.0/bookmarks",
             "file://" + (work() + "/Projects").toPercentEncoding("/") + "\n");
    TTestCombo combo;
    combo.FillItems();
    ASSERT_EQ(::rmdir((work() + "/Projects").constData()), 0);
    const int place = combo.count() - 1;
    combo.setCurrentIndex(place);
    emit combo.activated(place);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains("Projects"));
    EXPECT_EQ(combo.currentIndex(), 0) << "the desktop is still the shown folder";
    EXPECT_EQ(combo.SelectedFolder().GetIdList(), nullptr);
}

TEST_F(ShellCombo, ASelectedFolderThatVanishedIsStillShown)
{
    makeDir(work() + "/x");
    makeDir(work() + "/x/y");
    TIdListPtr y(parse(work() + "/x/y"));
    TTestCombo combo;
    select(combo, y.get());
    ASSERT_EQ(::rmdir((work() + "/x/y").constData()), 0);
    ASSERT_EQ(::rmdir((work() + "/x").constData()), 0);
    combo.FillItems();
    EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "y");
    combo.GoUp(1);
    EXPECT_EQ(combo.SelectedFolder().GetPathName(), path(work() + "/x"));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ShellCombo, EveryRecordIsFreedWithTheCombo)
{
    makeDir(home() + "/a");
    TIdListPtr a(homeRoute("a"));
    const long blocks = ShellLiveBlockCount();
    const long objects = ComObjectLiveCount();
    auto combo = std::make_unique<TTestCombo>();
    select(*combo, a.get());
    for (int i = 0; i < combo->count(); ++i)
        if (TPTShComboData* data = combo->GetShComboData(i))
            data->GetThisIShf(); // a cached folder is released too
    ASSERT_GT(ShellLiveBlockCount(), blocks + 1);
    combo->SelectedFolder().SetIdList(nullptr);
    combo.reset();
    EXPECT_EQ(ShellLiveBlockCount(), blocks);
    EXPECT_EQ(ComObjectLiveCount(), objects);
}

void ShellCombo::volumeComesAndGoes()
{
    // A private mount namespace keeps the test's volume away from the machine.
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        std::exit(kCannotMount);
    makeDir(work() + "/stick");
    {
        TTestCombo combo;
        combo.FillItems();
        const QString entry = QStringLiteral("2 stick");
        EXPECT_FALSE(entries(combo).contains(entry));

        // A source under /dev/ makes the tmpfs count as a volume.
        EXPECT_EQ(
            ::mount("/dev/veldmark-test", (work() + "/stick").constData(), "tmpfs", 0, nullptr), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return entries(combo).contains(entry); }, 5000));

        // A folder on it is shown when the device is pulled: the combo moves to Computer.
        makeDir(work() + "/stick/photos");
        TIdListPtr photos(parse(work() + "/stick/photos"));
        select(combo, photos.get());
        EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "photos");
        EXPECT_EQ(::umount((work() + "/stick").constData()), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !entries(combo).contains(entry); }, 5000));
        EXPECT_EQ(combo.GetImageComboItem(combo.currentIndex())->Caption(), "Computer");
        EXPECT_TRUE(m_messages.isEmpty());
    }
    TearDown();
    std::exit(HasFailure() ? 1 : 0);
}

TEST_F(ShellCombo, AVolumeEntryComesAndGoesWithTheDevice)
{
    // In a process of its own: the process-wide readers of the mount table
    // keep descriptors of the namespace they were opened in.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    int code = -1;
    EXPECT_EXIT(
        volumeComesAndGoes(),
        [&](int status) {
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return code == 0 || code == kCannotMount;
        },
        "");
    if (code == kCannotMount)
        GTEST_SKIP() << "needs the right to make a mount namespace";
}

namespace
{

// A folder whose comparison sorts again, as a comparison that found its way
// back into the combo's fill would.
class TReentrantFolder : public TFileSystemFolder
{
  public:
    using TFileSystemFolder::TFileSystemFolder;
    HRESULT CompareIDs(std::intptr_t column, PCItemIDList a, PCItemIDList b) override
    {
        std::vector<TIdListPtr> nothing;
        SortPidls(this, nothing);
        return TFileSystemFolder::CompareIDs(column, a, b);
    }
};

} // namespace

TEST_F(ShellCombo, ANestedSortIsRefusedAndTheNextSortWorks)
{
    makeDir(work() + "/b");
    makeDir(work() + "/A");
    makeDir(work() + "/c10");
    makeDir(work() + "/c9");
    TIdListPtr workList(parse(work()));
    auto folder = TComPtr<IShellFolder>::adopt(new TReentrantFolder(workList.get(), work()));
    std::vector<TIdListPtr> children;
    for (const char* name : {"b", "A", "c10", "c9"}) {
        TIdListPtr child;
        ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, QString::fromLatin1(name), nullptr,
                                           child.put(), nullptr),
                  S_OK);
        children.push_back(std::move(child));
    }
    try {
        SortPidls(folder.get(), children);
        ADD_FAILURE() << "a nested sort went through";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.message(), "Recursive call to SortPidls");
    }

    TComPtr<IShellFolder> plain = bind(workList.get());
    SortPidls(plain.get(), children);
    QStringList names;
    for (const TIdListPtr& child : children)
        names << ShellGetFriendlyNameFromIdList(plain.get(), child.get(), ptfnInFolder);
    EXPECT_EQ(names, (QStringList{"A", "b", "c9", "c10"}));
}
