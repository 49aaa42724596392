#include "ShellTreeDataHomeFixture.h"

#include "shell/utils/ShellLinks.h"
#include "shellwidgets/menus/SendToSubmenu.h"
#include "shellwidgets/menus/TPTSendToList.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using ShellTreeMenu = ShellTreeDataHomeFixture;

namespace
{

constexpr int kRenameId = 68;

QMenu* sendToSubmenu(QMenu* menu)
{
    for (QAction* action : menu->actions())
        if (action->menu() && IsSendToPlaceholder(action->menu()))
            return action->menu();
    return nullptr;
}

QStringList texts(const QMenu* menu)
{
    QStringList result;
    for (const QAction* action : menu->actions())
        result << action->text();
    return result;
}

} // namespace

TEST_F(ShellTreeMenu, RightClickShowsTheShellMenuAndRenameEditsInPlace)
{
    MakeFolders({"alpha", "beta"});
    MakeTree();
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    TPTTreeNode* alpha = Child(Root(), "alpha");
    menuAnswer = kRenameId;
    const QPoint at = tree->NodeRect(alpha, true).center();
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(lastMenuIds.contains(kRenameId));
    EXPECT_TRUE(tree->IsEditingCaption());
    EXPECT_EQ(tree->Selected(), alpha);
    EXPECT_FALSE(tree->InMenuOrDrag());
    EXPECT_EQ(messageBoxes, 0);
}

TEST_F(ShellTreeMenu, ReadOnlyLeavesRenameOutAndWithoutTheOptionNoShellMenuOpens)
{
    MakeFolders({"alpha"});
    MakeTree();
    tree->SetReadOnly(true);
    tree->ProcessMenu(Child(Root(), "alpha"), QPoint(1, 1));
    ASSERT_EQ(menus, 1);
    EXPECT_FALSE(lastMenuIds.contains(kRenameId));
    EXPECT_TRUE(lastMenuIds.contains(50)); // open

    tree->SetOptions(kDefaultShellTreeOptions & ~ptstoContextMenus);
    tree->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {},
                      tree->NodeRect(Child(Root(), "alpha"), true).center());
    EXPECT_EQ(menus, 1);
}

TEST_F(ShellTreeMenu, CommandsRunByVerbAndUnknownVerbsRunNothing)
{
    MakeFolders({"junk", "keep"});
    MakeTree();
    EXPECT_EQ(tree->DoCommandForNode(Child(Root(), "junk"), QStringLiteral("no-such-verb")),
              E_INVALIDARG);
    EXPECT_TRUE(QDir(Path("junk")).exists());
    EXPECT_EQ(tree->DoCommandForNode(Root(), QStringLiteral("delete")), S_FALSE);
    EXPECT_EQ(tree->DoCommandForNode(Child(Root(), "junk"), QStringLiteral("DELETE")), S_OK);
    EXPECT_FALSE(QDir(Path("junk")).exists());
    EXPECT_EQ(Captions(Root()), QStringList{"keep"});
}

TEST_F(ShellTreeMenu, SendToListsTheFolderSortedWithoutExtensionsAndTypedLettersChoose)
{
    MakeFolders({"alpha"});
    ASSERT_TRUE(QDir().mkpath(SendToPath("folder")));
    for (const QString& name : {"zeta.sh", "Beta.desktop", "bin.txt", ".hidden", "a&b"}) {
        QFile file(SendToPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    MakeTree();
    QStringList shown;
    QStringList afterB;
    QStringList afterBB;
    QString executed;
    bool closedOnNoMatch = false;
    onMenu = [&](QMenu* menu) {
        QMenu* sendTo = sendToSubmenu(menu);
        if (!sendTo)
            return 0;
        Q_EMIT sendTo->aboutToShow();
        shown = texts(sendTo);
        QTest::keyClick(sendTo, Qt::Key_B);
        afterB << (sendTo->activeAction() ? sendTo->activeAction()->text() : QString());
        QTest::keyClick(sendTo, Qt::Key_B);
        afterBB << (sendTo->activeAction() ? sendTo->activeAction()->text() : QString());
        QObject::connect(sendTo, &QMenu::triggered,
                         [&](QAction* action) { executed = action->text(); });
        QTest::keyClick(sendTo, Qt::Key_Z);
        sendTo->show();
        QTest::keyClick(sendTo, Qt::Key_Q);
        closedOnNoMatch = !sendTo->isVisible();
        return 0;
    };
    tree->ProcessMenu(Child(Root(), "alpha"), QPoint(1, 1));
    EXPECT_EQ(shown, (QStringList{"a&&b", "Beta", "bin", "zeta"}));
    EXPECT_EQ(afterB, QStringList{"Beta"});
    EXPECT_EQ(afterBB, QStringList{"bin"});
    EXPECT_EQ(executed, QStringLiteral("zeta"));
    EXPECT_TRUE(closedOnNoMatch);
}

TEST_F(ShellTreeMenu, AnEmptySendToFolderKeepsThePlaceholder)
{
    MakeFolders({"alpha"});
    MakeTree();
    bool placeholder = false;
    onMenu = [&](QMenu* menu) {
        QMenu* sendTo = sendToSubmenu(menu);
        if (sendTo) {
            Q_EMIT sendTo->aboutToShow();
            placeholder = IsSendToPlaceholder(sendTo);
        }
        return 0;
    };
    tree->ProcessMenu(Child(Root(), "alpha"), QPoint(1, 1));
    EXPECT_TRUE(placeholder);
}

TEST_F(ShellTreeMenu, SendToALinkToAFolderCopiesTheNodeThere)
{
    MakeFolders({"alpha/inner", "backup"});
    MakeFile("alpha/inner/file.txt");
    ASSERT_TRUE(QDir().mkpath(SendToPath()));
    ASSERT_TRUE(Succeeded(CreateQuickShortcut(SendToPath("Backup.desktop"), Path("backup"))));
    MakeTree();
    // Chosen from the menu: entry 1 of the submenu is Send To entry 0.
    onMenu = [](QMenu* menu) {
        Q_EMIT sendToSubmenu(menu)->aboutToShow();
        return 1;
    };
    tree->ProcessMenu(Child(Root(), "alpha"), QPoint(1, 1));
    EXPECT_TRUE(QFile::exists(Path("backup/alpha/inner/file.txt")));
    EXPECT_TRUE(QFile::exists(Path("alpha/inner/file.txt")));
    EXPECT_EQ(messageBoxes, 0);

    // An entry that takes no drops is an error shown to the user.
    TPTSendToList::Instance().Add(QStringLiteral("gone.txt"), -1);
    const int gone = [] {
        for (int i = 0; i < TPTSendToList::Instance().Count(); ++i)
            if (TPTSendToList::Instance().At(i).fileName == "gone.txt")
                return i;
        return -1;
    }();
    EXPECT_THROW(tree->ProcessSendTo(Child(Root(), "alpha"), gone), std::exception);
}

TEST(SendToMenuChar, SearchesAfterTheHighlightedEntryAndWraps)
{
    const QStringList names{"Beta", "alpha", "bin", "Box"};
    const TSendToMenuChar first = SendToMenuChar(names, -1, QChar('b'));
    EXPECT_EQ(first.kind, TSendToMenuChar::Select);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(SendToMenuChar(names, 2, QChar('b')).index, 3);
    EXPECT_EQ(SendToMenuChar(names, 3, QChar('B')).index, 0);
    const TSendToMenuChar only = SendToMenuChar(names, 1, QChar('a'));
    EXPECT_EQ(only.kind, TSendToMenuChar::Execute);
    EXPECT_EQ(only.index, 1);
    EXPECT_EQ(SendToMenuChar(names, 0, QChar('x')).kind, TSendToMenuChar::Close);
}

TEST_F(ShellTreeMenu, HighlightedCommandsGiveTheirHelpTextAndOthersAnEmptyHint)
{
    MakeFolders({"alpha"});
    MakeTree();
    QStringList hints;
    tree->OnPopupHint = [&](TPTCustomShellTree*, const QString& hint) { hints << hint; };
    onMenu = [](QMenu* menu) {
        for (QAction* action : menu->actions())
            if (action->data().toInt() == 50 || action->menu())
                Q_EMIT menu->hovered(action);
        return 0;
    };
    tree->ProcessMenu(Child(Root(), "alpha"), QPoint(1, 1));
    ASSERT_EQ(hints.size(), 2);
    EXPECT_FALSE(hints.at(0).isEmpty());
    EXPECT_TRUE(hints.at(1).isEmpty());
}

TEST_F(ShellTreeMenu, SendToAnApplicationEntryHandsTheFolderToTheProgram)
{
    MakeFolders({"alpha"});
    const QString script = Path("record.sh");
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.out\"\n");
        ASSERT_TRUE(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    ASSERT_TRUE(QDir().mkpath(SendToPath()));
    {
        QFile entry(SendToPath("Recorder.desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=" +
                    QFile::encodeName(script) + " %f\n");
    }
    MakeTree();
    TPTSendToList::Instance().Reload();
    ASSERT_EQ(TPTSendToList::Instance().Count(), 1);
    tree->ProcessSendTo(Child(Root(), "alpha"), 0);
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(script + ".out"); }, 10000));
    QFile out(script + ".out");
    ASSERT_TRUE(WaitUntil([&] { return out.size() > 0; }, 5000));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QFile::encodeName(Path("alpha")));
    EXPECT_EQ(messageBoxes, 0);
}
