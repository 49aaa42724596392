// The folder combo, tree and list linked as the file dialog links them
// (combo - tree - list), all three real.

#include "shell/NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/combo/TPTShellCombo.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

namespace
{

// Counts its fills: a fill that happens twice for one choice is an echo.
class TCountingCombo : public TPTShellCombo
{
  public:
    int Fills = 0;

  protected:
    void FillCombo(IShellFolder* aFolder, PCItemIDList aParentIdList, TPTIdListArray& aChain,
                   int aLevel) override
    {
        if (aLevel < 0)
            ++Fills;
        TPTShellCombo::FillCombo(aFolder, aParentIdList, aChain, aLevel);
    }
};

class ShellControlsLink : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        m_previousHandler = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest&) {
            ++messages;
            return ptmbOk;
        });
        for (const char* folder : {"/a", "/a/b", "/a/b/c", "/a/d"})
            makeDir(work() + folder);
        makeFile(work() + "/a/b/notes.txt", "x");
    }
    void TearDown() override
    {
        delete window;
        SetPTMessageBoxHandler(m_previousHandler);
        NamespaceFixture::TearDown();
    }

    // The three in a shown window, the tree over the work folder, linked
    // from the tree's side and showing `start`.
    void build(const QByteArray& start)
    {
        window = new QWidget;
        auto* layout = new QVBoxLayout(window);
        combo = new TCountingCombo;
        tree = new TPTShellTree;
        list = new TPTShellList;
        layout->addWidget(combo);
        layout->addWidget(tree);
        layout->addWidget(list);
        list->OnFillStart = [this](TPTCustomShellList*) { ++listFills; };
        tree->OnChange = [this](TPTCustomTreeView*, TPTTreeNode*) { ++treeChanges; };
        tree->BaseFolder().SetPathName(path(work()));
        tree->SetShellList(list);
        tree->SetShellCombo(combo);
        tree->SelectedFolder().SetPathName(path(start));
        window->resize(400, 600);
        window->show();
        ASSERT_TRUE(waitAllAt(start));
    }

    QString path(const QByteArray& bytes) const { return FileNameToString(bytes); }

    // Whether all three show the folder, waiting for listings and fills.
    bool waitAllAt(const QByteArray& folder, int ms = 3000)
    {
        const QString wanted = path(folder);
        const auto together = [&] {
            return tree->SelectedPathName() == wanted && list->Folder().GetPathName() == wanted &&
                   !list->IsListing() && ShellGetPathFromIdList(list->FolderIdList()) == wanted &&
                   combo->SelectedFolder().GetPathName() == wanted;
        };
        QElapsedTimer timer;
        timer.start();
        while (!together() && timer.elapsed() < ms)
            QTest::qWait(10);
        if (!together())
            ADD_FAILURE() << "tree " << tree->SelectedPathName().toStdString() << ", list "
                          << list->Folder().GetPathName().toStdString() << ", combo "
                          << combo->SelectedFolder().GetPathName().toStdString();
        return together();
    }

    void resetCounts()
    {
        QTest::qWait(20);
        combo->Fills = 0;
        listFills = 0;
        treeChanges = 0;
    }

    // One choice moved every control exactly once.
    void expectOneMoveEach(const char* what)
    {
        // Echoes would come in late through posted events and timers.
        QTest::qWait(100);
        EXPECT_EQ(combo->Fills, 1) << what;
        EXPECT_EQ(listFills, 1) << what;
        EXPECT_EQ(treeChanges, 1) << what;
    }

    TPTTreeNode* nodeOf(const QString& caption, TPTTreeNode* parent)
    {
        for (int i = 0; parent && i < parent->Count(); ++i)
            if (parent->Item(i)->Text() == caption)
                return parent->Item(i);
        return nullptr;
    }

    QWidget* window = nullptr;
    TCountingCombo* combo = nullptr;
    TPTShellTree* tree = nullptr;
    TPTShellList* list = nullptr;
    int listFills = 0;
    int treeChanges = 0;
    int messages = 0;

  private:
    TPTMessageBoxHandler m_previousHandler;
};

} // namespace

TEST_F(ShellControlsLink, AFolderChosenInAnyOfTheThreeMovesTheOtherTwoOnce)
{
    build(work() + "/a");
    EXPECT_EQ(combo->ShellTree(), tree);
    EXPECT_EQ(list->ShellTree(), tree);

    // The combo: the user picks the entry above "a" (the work folder).
    resetCounts();
    const int above = combo->currentIndex() - 1;
    combo->setCurrentIndex(above);
    emit combo->activated(above);
    ASSERT_TRUE(waitAllAt(work()));
    expectOneMoveEach("chosen in the combo");

    // The tree: the keyboard moves the selection; the others follow once the
    // selection delay is over.
    resetCounts();
    TPTTreeNode* a = nodeOf("a", tree->TopItem(0));
    ASSERT_NE(a, nullptr);
    tree->SetSelected(a);
    ASSERT_TRUE(waitAllAt(work() + "/a"));
    expectOneMoveEach("selected in the tree");

    // The list: its folder is set (as the host does).
    resetCounts();
    TIdListPtr b(parse(work() + "/a/b"));
    list->SetFolder(b.get());
    ASSERT_TRUE(waitAllAt(work() + "/a/b"));
    expectOneMoveEach("set in the list");
    EXPECT_EQ(messages, 0);
}

TEST_F(ShellControlsLink, GoingUpInTheTreeOrTheComboMovesAllThree)
{
    build(work() + "/a/b/c");

    resetCounts();
    tree->GoUp(1);
    ASSERT_TRUE(waitAllAt(work() + "/a/b"));
    expectOneMoveEach("up in the tree");

    resetCounts();
    combo->GoUp(1);
    ASSERT_TRUE(waitAllAt(work() + "/a"));
    expectOneMoveEach("up in the combo");
}

TEST_F(ShellControlsLink, AFolderThatVanishedLeavesAllThreeOnItsParent)
{
    build(work() + "/a/b/c");
    ASSERT_TRUE(QDir(path(work() + "/a/b")).removeRecursively());

    // The list notices when it looks again and goes to what is left.
    list->RefreshItems();
    ASSERT_TRUE(waitAllAt(work() + "/a"));

    // A folder that is gone, chosen in the combo before the tree noticed:
    // the list says so once, and the tree's next refresh brings all three to
    // what is left.
    TIdListPtr gone(parse(work() + "/a/d"));
    ASSERT_TRUE(QDir(path(work() + "/a/d")).removeRecursively());
    EXPECT_EQ(messages, 0);
    combo->SetSelectedFolder(gone.get());
    EXPECT_EQ(messages, 1);
    tree->RefreshNodes();
    ASSERT_TRUE(waitAllAt(work() + "/a"));
    EXPECT_EQ(messages, 1);
}

TEST_F(ShellControlsLink, LinkingOneSideLinksBothAndDestroyingEitherUnlinks)
{
    build(work() + "/a");

    // The combo has a tree, so it refuses the list, which stays unlinked.
    list->SetShellCombo(combo);
    EXPECT_EQ(list->ShellCombo(), nullptr);
    EXPECT_EQ(combo->ShellList(), nullptr);

    // Unlinking from one side unlinks the other; linking from the list's
    // side links the tree back and points the list at the tree's folder.
    list->SetShellTree(nullptr);
    EXPECT_EQ(tree->ShellList(), nullptr);
    tree->SetShellCombo(nullptr);
    EXPECT_EQ(combo->ShellTree(), nullptr);
    list->SetShellCombo(combo);
    EXPECT_EQ(combo->ShellList(), list);
    list->SetShellCombo(nullptr);
    list->SetShellTree(tree);
    EXPECT_EQ(tree->ShellList(), list);
    combo->SetShellTree(tree);
    EXPECT_EQ(tree->ShellCombo(), combo);

    delete list;
    list = nullptr;
    EXPECT_EQ(tree->ShellList(), nullptr);
    delete tree;
    tree = nullptr;
    EXPECT_EQ(combo->ShellTree(), nullptr);
    combo->GoUp(1); // would reach the tree
}
