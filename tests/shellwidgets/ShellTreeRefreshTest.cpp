#include "ShellTreeFixture.h"

#include "controls/treelist/TPTTreeModel.h"
#include "shell/PTMessages.h"
#include "shell/utils/ShellServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QUrl>

using ShellTreeRefresh = ShellTreeFixture;

// Change notices become a refresh 2000 ms after the last one while the tree
// has no focus.
constexpr int kNoticeWaitMs = TPTCustomShellTree::kRefreshDelayMs + 2000;

TEST_F(ShellTreeRefresh, ChangesFromOutsideShowAfterTheNoticeAndFolderRemovedWhileExpanded)
{
    MakeFolders({"shown/inner/deep", "stay"});
    MakeTree();
    tree->ExpandNode(Child(Root(), "shown"));
    tree->ExpandNode(Child(Child(Root(), "shown"), "inner"));
    tree->SelectedFolder().SetPathName(Path("shown/inner/deep"));
    EXPECT_TRUE(tree->WatchedFolders().contains(QFile::encodeName(Path("shown/inner"))));
    int refreshes = 0;
    tree->OnFillStart = [&](TPTCustomShellTree*) { ++refreshes; };

    ASSERT_TRUE(QDir(Path("shown")).removeRecursively());
    MakeFolders({"arrived"});
    EXPECT_TRUE(WaitUntil([&] { return Child(Root(), "arrived") != nullptr; }, kNoticeWaitMs));
    EXPECT_EQ(Child(Root(), "shown"), nullptr);
    EXPECT_EQ(refreshes, 1); // one refresh for the whole burst
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(messageBoxes, 0);
}

TEST_F(ShellTreeRefresh, RenamingSwallowsItsOwnNotice)
{
    MakeFolders({"old", "other"});
    MakeTree();
    tree->SelectedFolder().SetPathName(Path("old"));
    int refreshes = 0;
    tree->OnFillStart = [&](TPTCustomShellTree*) { ++refreshes; };
    TPTTreeNode* node = tree->Selected();
    ASSERT_EQ(node->Text(), "old");

    tree->Model()->setData(tree->Model()->IndexOf(node), QStringLiteral("new"), Qt::EditRole);
    EXPECT_EQ(node->Text(), "new");
    EXPECT_TRUE(QDir(Path("new")).exists());
    EXPECT_EQ(tree->SelectedPathName(), Path("new"));
    QTest::qWait(kNoticeWaitMs);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(tree->DelayTag(), 0);

    // A failed rename keeps the caption.
    tree->Model()->setData(tree->Model()->IndexOf(node), QStringLiteral("other"), Qt::EditRole);
    EXPECT_EQ(node->Text(), "new");
}

TEST_F(ShellTreeRefresh, AnAddItemVetoHoldsDuringRefreshes)
{
    MakeFolders({"keep"});
    tree = std::make_unique<TPTShellTree>();
    tree->OnAddItem = [](TPTCustomShellTree*, IShellFolder* folder, PCItemIDList, PCItemIDList item,
                         std::uint32_t, bool& allow) {
        allow = !ShellGetFriendlyNameFromIdList(folder, item, ptfnInFolder).startsWith("skip");
    };
    tree->BaseFolder().SetPathName(Path());
    MakeFolders({"skip-me", "later"});
    tree->RefreshNodes();
    EXPECT_EQ(Captions(Root()), (QStringList{"keep", "later"}));
    tree->RefreshNodes();
    EXPECT_EQ(Captions(Root()), (QStringList{"keep", "later"}));
}

TEST_F(ShellTreeRefresh, NewFolderIsCreatedInTheSelectedFolderAndEdited)
{
    MakeFolders({"parent"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    tree->SelectedFolder().SetPathName(Path("parent"));
    ASSERT_TRUE(tree->CreateNewFolder(true));
    TPTTreeNode* parent = Child(Root(), "parent");
    ASSERT_EQ(parent->Count(), 1);
    EXPECT_TRUE(QDir(Path("parent/" + parent->Item(0)->Text())).exists());
    EXPECT_TRUE(tree->IsEditingCaption());
}

TEST_F(ShellTreeRefresh, F5RefreshesAndARefreshDuringEditingWaitsForTheEditor)
{
    MakeFolders({"a"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    tree->SelectedFolder().SetPathName(Path("a"));
    MakeFolders({"b"});
    QTest::keyClick(tree.get(), Qt::Key_F5);
    EXPECT_EQ(Captions(Root()), (QStringList{"a", "b"}));

    tree->EditCaption(Child(Root(), "a"));
    ASSERT_TRUE(tree->IsEditingCaption());
    MakeFolders({"c"});
    tree->RefreshNodes();
    EXPECT_TRUE(tree->RefreshPending());
    EXPECT_EQ(Root()->Count(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(WaitUntil([&] { return Root()->Count() == 3; }, 1000));
    EXPECT_FALSE(tree->RefreshPending());
}

TEST_F(ShellTreeRefresh, TheFirstFillWaitsForTheEventLoopAndOnlyWithAutoFill)
{
    tree = std::make_unique<TPTShellTree>();
    EXPECT_EQ(tree->TopCount(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(tree->TopCount(), 1);
    EXPECT_EQ(Root()->Text(), "Desktop");
    EXPECT_EQ(tree->Selected(), Root());

    tree = std::make_unique<TPTShellTree>();
    tree->SetOptions(kDefaultShellTreeOptions & ~ptstoAutoFill);
    QCoreApplication::processEvents();
    EXPECT_EQ(tree->TopCount(), 0);
}

TEST_F(ShellTreeRefresh, AVolumeComingOrGoingRefreshesTheTree)
{
    MakeFolders({"a"});
    MakeTree();
    int refreshes = 0;
    tree->OnFillStart = [&](TPTCustomShellTree*) { ++refreshes; };
    MakeFolders({"b"});
    TMessage other{WM_DEVICECHANGE, 0x0007, 0, 0};
    tree->DeviceChangeDetected(nullptr, other);
    EXPECT_EQ(refreshes, 0);
    TMessage arrival{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, 0};
    tree->DeviceChangeDetected(nullptr, arrival);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(Captions(Root()), (QStringList{"a", "b"}));
    tree->OnFillStart = nullptr;
}

TEST_F(ShellTreeRefresh, CopyAndDeleteKeysRunTheShellCommandsOnTheSelectedFolder)
{
    MakeFolders({"junk/inner", "keep", "data"});
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(Path("data")));
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    tree->SelectedFolder().SetPathName(Path("junk"));

    QTest::keyClick(tree.get(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->urls(), QList<QUrl>{QUrl::fromLocalFile(Path("junk"))});

    QTest::keyClick(tree.get(), Qt::Key_Delete);
    EXPECT_FALSE(QDir(Path("junk")).exists());
    EXPECT_TRUE(QDir(Path("data/Trash/files/junk/inner")).exists());
    EXPECT_EQ(Captions(Root()), (QStringList{"data", "keep"}));
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(messageBoxes, 0);
    if (oldDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldDataHome);
}

TEST_F(ShellTreeRefresh, NewFoldersTakeTheirPlacesAmongManyAndAmongFew)
{
    QStringList many;
    for (int i = 10; i < 70; ++i) // enough that three new ones are few
        many << QStringLiteral("big/f%1").arg(i);
    MakeFolders(many);
    MakeFolders({"few/b"});
    MakeTree();
    TPTTreeNode* big = Child(Root(), "big");
    TPTTreeNode* few = Child(Root(), "few");
    tree->ExpandNode(big);
    tree->ExpandNode(few);

    MakeFolders({"big/f0", "big/f25x", "big/zz", "few/a", "few/c"});
    tree->RefreshNodes();
    const QStringList bigCaptions = Captions(big);
    ASSERT_EQ(bigCaptions.size(), 63);
    EXPECT_EQ(bigCaptions.first(), "f0");
    EXPECT_EQ(bigCaptions.indexOf("f25x"), bigCaptions.indexOf("f25") + 1);
    EXPECT_EQ(bigCaptions.last(), "zz");
    EXPECT_EQ(Captions(few), (QStringList{"a", "b", "c"}));
}
