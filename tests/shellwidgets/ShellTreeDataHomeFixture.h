#pragma once

#include "ShellTreeFixture.h"

#include "shell/fileops/DropMenu.h"
#include "shellwidgets/menus/TPTShellPopupMenu.h"

// A tree over a temporary folder with a data home of its own (so the Send To
// folder and the trash are the test's), the shell menu and the drop menu
// answered by the test instead of shown.
class ShellTreeDataHomeFixture : public ShellTreeFixture
{
  protected:
    void SetUp() override;
    void TearDown() override;

    QString SendToPath(const QString& name = QString()) const;
    // Command identifiers of a menu, submenus included.
    static QList<int> MenuIds(const QMenu* menu);

    QTemporaryDir dataHome;
    // Shell menus: onMenu answers when set, else menuAnswer; the identifiers
    // of the last menu are kept.
    std::function<int(QMenu*)> onMenu;
    int menuAnswer = 0;
    QList<int> lastMenuIds;
    int menus = 0;
    int dropMenus = 0;
    std::uint32_t dropMenuAnswer = 0;

  private:
    QByteArray savedDataHome;
    TPTShellPopupMenu::THandler savedMenuHandler;
    TDropMenuHandler savedDropMenuHandler;
};
