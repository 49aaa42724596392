#include "ShellTreeDataHomeFixture.h"

#include "shell/utils/ShellServices.h"

#include <QAction>
#include <QDir>
#include <QMenu>

void ShellTreeDataHomeFixture::SetUp()
{
    ShellTreeFixture::SetUp();
    ASSERT_TRUE(dataHome.isValid());
    savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    savedDropMenuHandler = SetDropMenuHandler([this](HWND, std::uint32_t allowed, std::uint32_t) {
        ++dropMenus;
        return dropMenuAnswer & allowed;
    });
    savedMenuHandler = TPTShellPopupMenu::SetHandler([this](QMenu* menu) {
        ++menus;
        lastMenuIds = MenuIds(menu);
        return onMenu ? onMenu(menu) : menuAnswer;
    });
}

void ShellTreeDataHomeFixture::TearDown()
{
    ShellTreeFixture::TearDown();
    TPTShellPopupMenu::SetHandler(savedMenuHandler);
    SetDropMenuHandler(savedDropMenuHandler);
    if (savedDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedDataHome);
}

QString ShellTreeDataHomeFixture::SendToPath(const QString& name) const
{
    const QString folder = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
    return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

QList<int> ShellTreeDataHomeFixture::MenuIds(const QMenu* menu)
{
    QList<int> ids;
    for (const QAction* action : menu->actions()) {
        if (action->menu())
            ids << MenuIds(action->menu());
        else if (!action->isSeparator())
            ids << action->data().toInt();
    }
    return ids;
}
