#include "ShellTreeFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{

// Root reads every folder whatever its mode. For as long as it lives, this
// takes the calling thread's (and the threads it starts') power to ignore
// file permissions, so an unreadable folder is unreadable in the test too.
class TNoPermissionOverride
{
  public:
    TNoPermissionOverride()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_changed = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~TNoPermissionOverride()
    {
        if (m_changed)
            ::syscall(SYS_capset, &m_header, m_saved);
    }

  private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_changed = false;
};

} // namespace

using ShellTreeContents = ShellTreeFixture;

TEST_F(ShellTreeContents, FillsTheBaseFolderSortedWithButtonsOnlyWhereSubfoldersAre)
{
    MakeFolders({"beta/inner", "alpha", "Folder10", "Folder9"});
    MakeFile("alpha/file.txt");
    MakeFile("top.txt");
    MakeTree();

    ASSERT_EQ(tree->TopCount(), 1);
    TPTTreeNode* root = Root();
    EXPECT_EQ(root->Text(), QDir(Path()).dirName());
    EXPECT_TRUE(tree->IsExpanded(root));
    // The folder's own order: no case distinction, digit runs as numbers.
    EXPECT_EQ(Captions(root), (QStringList{"alpha", "beta", "Folder9", "Folder10"}));
    // A folder of files has nothing to expand without ptstoIncludeNonFolders.
    EXPECT_FALSE(Child(root, "alpha")->HasChildren());
    EXPECT_TRUE(Child(root, "beta")->HasChildren());
    EXPECT_EQ(Child(root, "beta")->Count(), 0); // filled on first expansion

    tree->ExpandNode(Child(root, "beta"));
    EXPECT_EQ(Captions(Child(root, "beta")), QStringList{"inner"});
    EXPECT_FALSE(Child(Child(root, "beta"), "inner")->HasChildren());
}

TEST_F(ShellTreeContents, NonFoldersOnlyWithTheirOptionAndFoldersOfFilesThenExpand)
{
    MakeFolders({"docs"});
    MakeFile("docs/a.txt");
    MakeFile("notes.txt");
    ASSERT_EQ(::mkfifo(Path("pipe").toLocal8Bit().constData(), 0600), 0);

    MakeTree(kDefaultShellTreeOptions | ptstoIncludeNonFolders);
    EXPECT_EQ(Captions(Root()), (QStringList{"docs", "notes.txt", "pipe"}));
    EXPECT_TRUE(Child(Root(), "docs")->HasChildren());
    EXPECT_FALSE(Child(Root(), "pipe")->HasChildren());
    tree->ExpandNode(Child(Root(), "docs"));
    EXPECT_EQ(Captions(Child(Root(), "docs")), QStringList{"a.txt"});

    MakeTree();
    EXPECT_EQ(Captions(Root()), QStringList{"docs"});
}

TEST_F(ShellTreeContents, HiddenFoldersFollowShowHiddenAndAreDrawnCut)
{
    MakeFolders({".cache", "shown", "listed"});
    QFile hiddenList(Path(".hidden"));
    ASSERT_TRUE(hiddenList.open(QIODevice::WriteOnly));
    hiddenList.write("listed\n");
    hiddenList.close();

    MakeTree();
    EXPECT_EQ(Captions(Root()), (QStringList{".cache", "listed", "shown"}));
    EXPECT_TRUE(Child(Root(), ".cache")->Cut());
    EXPECT_TRUE(Child(Root(), "listed")->Cut());
    EXPECT_FALSE(Child(Root(), "shown")->Cut());

    MakeTree(kDefaultShellTreeOptions & ~ptstoShowHidden);
    EXPECT_EQ(Captions(Root()), QStringList{"shown"});
}

TEST_F(ShellTreeContents, AddItemVetoKeepsObjectsOut)
{
    MakeFolders({"keep", "skip"});
    tree = std::make_unique<TPTShellTree>();
    int asked = 0;
    tree->OnAddItem = [&](TPTCustomShellTree*, IShellFolder* folder, PCItemIDList,
                          PCItemIDList item, std::uint32_t attributes, bool& allow) {
        ++asked;
        EXPECT_TRUE(attributes & SFGAO_FOLDER);
        allow = ShellGetFriendlyNameFromIdList(folder, item, ptfnInFolder) != "skip";
    };
    tree->BaseFolder().SetPathName(Path());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Captions(Root()), QStringList{"keep"});
}

TEST_F(ShellTreeContents, NamesThatAreNotUtf8ShowSubstitutesAndLeadBackToTheirFolder)
{
    const QByteArray bad = QFile::encodeName(Path()) + "/caf\xe9";
    ASSERT_EQ(::mkdir(bad.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((bad + "/inner").constData(), 0755), 0);
    MakeTree();

    ASSERT_EQ(Root()->Count(), 1);
    TPTTreeNode* node = Root()->Item(0);
    EXPECT_EQ(node->Text(), QString::fromUtf8("caf\xef\xbf\xbd"));
    EXPECT_TRUE(node->HasChildren());

    tree->SelectedFolder().SetPathName(FileNameToString(bad + "/inner"));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "inner");
    EXPECT_EQ(FileNameFromString(tree->SelectedPathName()), bad + "/inner");

    int deleted = 0;
    tree->OnDeleteItem = [&](TPTCustomShellTree*, TPTTreeNode*, TPTShTreeData*) { ++deleted; };
    tree->RefreshNodes();
    EXPECT_EQ(deleted, 0); // the same name, not a vanished and a new one
    EXPECT_EQ(tree->Selected()->Text(), "inner");
    tree.reset(); // before `deleted` goes
    // QTemporaryDir cannot remove a name it cannot decode.
    ::rmdir((bad + "/inner").constData());
    ::rmdir(bad.constData());
}

TEST_F(ShellTreeContents, UnreadableAndVanishedFoldersKeepTheirButtonAndShowNoBox)
{
    MakeFolders({"locked/inside", "gone/inside"});
    MakeTree();
    TPTTreeNode* locked = Child(Root(), "locked");
    TPTTreeNode* gone = Child(Root(), "gone");
    ASSERT_TRUE(locked && gone);

    ASSERT_TRUE(QDir(Path("gone")).removeRecursively());
    tree->ExpandNode(gone);
    EXPECT_EQ(gone->Count(), 0);
    EXPECT_TRUE(gone->HasChildren());

    ASSERT_EQ(::chmod(Path("locked").toLocal8Bit().constData(), 0), 0);
    {
        TNoPermissionOverride asUser;
        tree->ExpandNode(locked);
    }
    ::chmod(Path("locked").toLocal8Bit().constData(), 0755);
    EXPECT_EQ(locked->Count(), 0);
    EXPECT_TRUE(locked->HasChildren());
    EXPECT_EQ(messageBoxes, 0);

    // Readable again: expanding once more lists it.
    tree->CollapseNode(locked);
    tree->ExpandNode(locked);
    EXPECT_EQ(Captions(locked), QStringList{"inside"});
}

TEST_F(ShellTreeContents, SlowListingFinishesLaterWithBusyCursorAndCollapsingCancelsIt)
{
    MakeFolders({"slow/a", "slow/b", "other"});
    MakeTree();
    tree->SetScanWaitMs(-1); // every listing counts as slow
    int started = 0;
    int completed = 0;
    tree->OnFillStart = [&](TPTCustomShellTree*) { ++started; };
    tree->OnFillComplete = [&](TPTCustomShellTree*) { ++completed; };
    TPTTreeNode* slow = Child(Root(), "slow");

    tree->ExpandNode(slow);
    EXPECT_EQ(slow->Count(), 0);
    EXPECT_EQ(tree->viewport()->cursor().shape(), Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the program stays usable
    EXPECT_TRUE(WaitUntil([&] { return slow->Count() == 2; }, 5000));
    EXPECT_EQ(tree->viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(completed, 1);

    TPTTreeNode* a = Child(slow, "a");
    MakeFolders({"slow/a/deeper"});
    a->SetHasChildren(true); // listed before "deeper" was made
    tree->ExpandNode(a);
    tree->CollapseNode(a);
    QTest::qWait(100);
    EXPECT_EQ(a->Count(), 0);
    EXPECT_TRUE(a->HasChildren());
    EXPECT_EQ(started, completed);
    EXPECT_EQ(tree->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ShellTreeContents, EveryRecordIsFreedThroughTheDeleteNotification)
{
    MakeFolders({"a/b/c", "d"});
    MakeTree();
    int inserted = 0;
    int deleted = 0;
    tree->OnInsertItem = [&](TPTCustomShellTree*, TPTTreeNode*) { ++inserted; };
    tree->OnDeleteItem = [&](TPTCustomShellTree*, TPTTreeNode* node, TPTShTreeData* data) {
        EXPECT_EQ(node->Data(), nullptr); // the node no longer leads to it
        EXPECT_NE(data, nullptr);
        ++deleted;
    };
    tree->FillItems(); // root, a, d
    tree->SelectedFolder().SetPathName(Path("a/b/c"));
    EXPECT_EQ(inserted, 5);
    tree.reset();
    EXPECT_EQ(deleted, 3 + 5);
}

TEST_F(ShellTreeContents, SelectingThroughSlowFoldersAddsTheWayAndMergesTheListingsLater)
{
    MakeFolders({"a/b/c", "a/b/sibling", "a/other"});
    MakeTree();
    tree->SetScanWaitMs(-1);
    tree->SelectedFolder().SetPathName(Path("a/b/c"));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "c");
    TPTTreeNode* c = tree->Selected();
    EXPECT_EQ(Captions(Child(Root(), "a")), QStringList{"b"}); // only the way, so far

    EXPECT_TRUE(WaitUntil([&] { return Child(Root(), "a")->Count() == 2; }, 5000));
    EXPECT_EQ(Captions(Child(Root(), "a")), (QStringList{"b", "other"}));
    EXPECT_TRUE(WaitUntil([&] { return Child(Child(Root(), "a"), "b")->Count() == 2; }, 5000));
    EXPECT_EQ(Captions(Child(Child(Root(), "a"), "b")), (QStringList{"c", "sibling"}));
    EXPECT_EQ(tree->Selected(), c);
}

TEST_F(ShellTreeContents, CustomDrawEventsGetTheNodeAndItsRecord)
{
    MakeFolders({"a", "b"});
    MakeTree();
    int items = 0;
    int withRecord = 0;
    tree->OnCustomDrawSh = [&](TPTCustomShellTree*, TPTCustomDraw&, TPTTreeNode* node,
                               TPTShTreeData* data) {
        ++items;
        if (node && data && data == tree->GetDataFromNode(node))
            ++withRecord;
    };
    tree->grab();
    tree->OnCustomDrawSh = nullptr;
    EXPECT_EQ(items, 3); // the root and its two folders
    EXPECT_EQ(withRecord, 3);
}

TEST_F(ShellTreeContents, FillsRefreshesAndLateListingsGiveEveryListBack)
{
    MakeFolders({"a/b/c", "a/d", "e"});
    const auto cycle = [&] {
        MakeTree();
        tree->SelectedFolder().SetPathName(Path("a/b/c"));
        MakeFolders({"a/new"});
        tree->RefreshNodes();
        QDir(Path("a/new")).removeRecursively();
        tree->RefreshNodes();
        tree->SetScanWaitMs(-1);
        tree->ExpandNode(Child(Root(), "e"));
        tree->FillItems();
        tree->SelectedFolder().SetPathName(Path("a/d"));
        WaitUntil([&] { return Child(Root(), "a") && Child(Root(), "a")->Count() == 2; }, 5000);
        tree.reset();
    };
    cycle(); // caches of the namespace fill on first use
    const long blocks = ShellLiveBlockCount();
    const long objects = ComObjectLiveCount();
    cycle();
    EXPECT_EQ(ShellLiveBlockCount(), blocks);
    EXPECT_EQ(ComObjectLiveCount(), objects);
}

TEST_F(ShellTreeContents, TheDesktopAndComputerAreReadOnTheWorkerToo)
{
    tree = std::make_unique<TPTShellTree>();
    tree->SetScanWaitMs(-1);
    QCoreApplication::processEvents(); // the deferred fill
    ASSERT_EQ(tree->TopCount(), 1);
    EXPECT_EQ(Root()->Count(), 0);
    ASSERT_TRUE(WaitUntil([&] { return Root()->Count() >= 2; }, 5000));
    EXPECT_EQ(Captions(Root()).mid(0, 2), (QStringList{"Home", "Computer"}));
    TPTTreeNode* computer = Child(Root(), "Computer");
    EXPECT_TRUE(computer->HasChildren()); // on trust, not by reading it
    tree->ExpandNode(computer);
    ASSERT_TRUE(WaitUntil([&] { return computer->Count() >= 1; }, 5000));
    EXPECT_EQ(computer->Item(0)->Text(), "File System");
    EXPECT_TRUE(computer->Item(0)->HasChildren());
}
