#include "ShellTreeFixture.h"
#include "LinkedShellDoubles.h"

#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

#include <QDir>
#include <QFile>
#include <QTest>

using ShellTreeSelection = ShellTreeFixture;

TEST_F(ShellTreeSelection, KeyboardUpdatesTheLinkedListOnceAfterTheLastKeyAClickAtOnce)
{
    MakeFolders({"f1", "f2", "f3", "f4", "f5", "f6"});
    MakeTree();
    TLinkedListDouble list;
    TLinkedComboDouble combo;
    tree->SetShellList(&list);
    tree->SetShellCombo(&combo);
    EXPECT_EQ(list.Tree, tree.get());
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));

    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->NodeRect(Child(Root(), "f1"), true).center());
    EXPECT_EQ(list.TreeChanges, 1);
    EXPECT_EQ(combo.TreeChanges, 1);
    EXPECT_EQ(list.LastPath, Path("f1"));

    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(tree.get(), Qt::Key_Down);
        QTest::qWait(50);
    }
    EXPECT_EQ(tree->Selected()->Text(), "f6");
    EXPECT_EQ(list.TreeChanges, 1);
    EXPECT_EQ(tree->DelayTag(), 1);
    QTest::qWait(TPTCustomShellTree::kSelectDelayMs + 200);
    EXPECT_EQ(list.TreeChanges, 2);
    EXPECT_EQ(combo.TreeChanges, 2);
    EXPECT_EQ(list.LastPath, Path("f6"));
    EXPECT_EQ(tree->SelectedPathName(), Path("f6"));

    // Synchronize carries out a pending selection at once.
    QTest::keyClick(tree.get(), Qt::Key_Up);
    tree->Synchronize(false);
    EXPECT_EQ(list.TreeChanges, 3);
    EXPECT_EQ(list.LastPath, Path("f5"));

    // A click overtakes a keyboard move still waiting: one update, not two.
    QTest::keyClick(tree.get(), Qt::Key_Up);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->NodeRect(Child(Root(), "f2"), true).center());
    QTest::qWait(TPTCustomShellTree::kSelectDelayMs + 200);
    EXPECT_EQ(list.TreeChanges, 4);
    EXPECT_EQ(list.LastPath, Path("f2"));
}

TEST_F(ShellTreeSelection, ADestroyedLinkIsForgotten)
{
    MakeFolders({"a", "b"});
    MakeTree();
    auto list = std::make_unique<TLinkedListDouble>();
    tree->SetShellList(list.get());
    EXPECT_EQ(list->FolderSets, 1);
    list.reset();
    EXPECT_EQ(tree->ShellList(), nullptr);
    tree->SelectedFolder().SetPathName(Path("b")); // would reach the list
    EXPECT_EQ(tree->Selected()->Text(), "b");

    TLinkedListDouble other;
    tree->SetShellList(&other);
    tree->SetShellList(nullptr);
    EXPECT_EQ(other.Tree, nullptr);
}

TEST_F(ShellTreeSelection, SelectingByPathAddsTheNodesOnTheWayThirtyLevelsDeep)
{
    QString relative = "d0";
    for (int i = 1; i < 30; ++i)
        relative += QStringLiteral("/d%1").arg(i);
    MakeFolders({relative, "d0/sibling"});
    MakeTree();
    tree->SelectedFolder().SetPathName(Path(relative));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "d29");
    EXPECT_EQ(tree->SelectedPathName(), Path(relative));
    EXPECT_EQ(tree->Selected()->Level(), 30);
    // Each level on the way was filled, not only the one child that leads on.
    EXPECT_EQ(Captions(Child(Root(), "d0")), (QStringList{"d1", "sibling"}));

    tree->GoUp(2);
    EXPECT_EQ(tree->Selected()->Text(), "d27");
    tree->GoUp(100);
    EXPECT_EQ(tree->Selected(), Root());
}

TEST_F(ShellTreeSelection, AnUnreachableFolderLeavesTheSelectionAtTheLastReachableNode)
{
    MakeFolders({"a/blocked/below"});
    tree = std::make_unique<TPTShellTree>();
    tree->OnAddItem = [](TPTCustomShellTree*, IShellFolder* folder, PCItemIDList, PCItemIDList item,
                         std::uint32_t, bool& allow) {
        allow = ShellGetFriendlyNameFromIdList(folder, item, ptfnInFolder) != "blocked";
    };
    tree->BaseFolder().SetPathName(Path());
    tree->SelectedFolder().SetPathName(Path("a/blocked/below"));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "a");
}

TEST_F(ShellTreeSelection, RefreshKeepsTheSelectionOrMovesItToTheNearestSurvivingAncestor)
{
    MakeFolders({"a/b/c/d", "x"});
    MakeTree();
    tree->SelectedFolder().SetPathName(Path("a/b/c"));
    TPTTreeNode* c = tree->Selected();
    ASSERT_EQ(c->Text(), "c");

    MakeFolders({"a/new"});
    tree->RefreshNodes();
    EXPECT_EQ(tree->Selected(), c);
    EXPECT_EQ(Captions(Child(Root(), "a")), (QStringList{"b", "new"}));

    ASSERT_TRUE(QDir(Path("a/b")).removeRecursively());
    tree->RefreshNodes();
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "a");
    EXPECT_EQ(tree->SelectedPathName(), Path("a"));
    EXPECT_EQ(Captions(tree->Selected()), QStringList{"new"});
}

TEST_F(ShellTreeSelection, ChangingTheBaseFolderRefillsAndClearsTheSelectedFolder)
{
    MakeFolders({"one/inner", "two"});
    MakeTree();
    tree->SelectedFolder().SetPathName(Path("two"));
    tree->BaseFolder().SetPathName(Path("one"));
    EXPECT_EQ(Root()->Text(), "one");
    EXPECT_EQ(Captions(Root()), QStringList{"inner"});
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(tree->SelectedPathName(), Path("one"));
}

TEST_F(ShellTreeSelection, AFolderHandedInWhileTheTreeMovesItsLinksOnlyPointsTheList)
{
    MakeFolders({"a", "b"});
    MakeTree();
    TLinkedListDouble list;
    tree->SetShellList(&list);
    TIdListPtr b;
    ASSERT_EQ(ShellGetIdListFromPath(Path("b"), b.put()), S_OK);
    int setsDuringChange = -1;
    list.OnTreeChanged = [&] {
        const int before = list.FolderSets;
        tree->SetSelectedFolder(b.get()); // the list answering with a folder of its own
        setsDuringChange = list.FolderSets - before;
    };
    tree->SelectedFolder().SetPathName(Path("a"));
    list.OnTreeChanged = nullptr;
    EXPECT_EQ(setsDuringChange, 1);
    EXPECT_EQ(tree->Selected()->Text(), "a");

    tree->SetSelectedFolder(b.get());
    EXPECT_EQ(tree->Selected()->Text(), "b");
}

TEST_F(ShellTreeSelection, FromTheDesktopThroughComputerAndAVolumeToAFolder)
{
    MakeFolders({"a/b"});
    tree = std::make_unique<TPTShellTree>();
    QCoreApplication::processEvents(); // the deferred fill of the desktop
    ASSERT_EQ(tree->TopCount(), 1);
    tree->SelectedFolder().SetPathName(Path("a/b"));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "b");
    EXPECT_EQ(tree->SelectedPathName(), Path("a/b"));
    EXPECT_EQ(messageBoxes, 0);
}

TEST_F(ShellTreeSelection, AHiddenFolderSelectedByPathIsAddedInItsPlace)
{
    MakeFolders({"a", "b/inner", "c"});
    QFile hiddenList(Path(".hidden"));
    ASSERT_TRUE(hiddenList.open(QIODevice::WriteOnly));
    hiddenList.write("b\n");
    hiddenList.close();
    MakeTree(kDefaultShellTreeOptions & ~ptstoShowHidden);
    EXPECT_EQ(Captions(Root()), (QStringList{"a", "c"}));
    tree->SelectedFolder().SetPathName(Path("b/inner"));
    EXPECT_EQ(Captions(Root()), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(tree->SelectedPathName(), Path("b/inner"));
}
