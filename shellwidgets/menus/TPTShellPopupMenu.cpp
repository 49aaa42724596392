#include "shellwidgets/menus/TPTShellPopupMenu.h"

#include "shell/PTEventGuard.h"
#include "shell/menus/TShellMenu.h"
#include "shellwidgets/menus/SendToSubmenu.h"
#include "shellwidgets/menus/ShellMenuCommands.h"
#include "shellwidgets/menus/ShellMenuWidgets.h"

#include <QAction>

namespace
{

TPTShellPopupMenu::THandler& handler()
{
    static TPTShellPopupMenu::THandler current;
    return current;
}

} // namespace

TPTShellPopupMenu::THandler TPTShellPopupMenu::SetHandler(THandler newHandler)
{
    return std::exchange(handler(), std::move(newHandler));
}

TPTShellPopupMenu::TPTShellPopupMenu(IContextMenu* contextMenu, QWidget* owner)
    : m_contextMenu(TComPtr<IContextMenu>::share(contextMenu)),
      m_menu(std::make_unique<QMenu>(owner))
{
}

TPTShellPopupMenu::~TPTShellPopupMenu() = default;

bool TPTShellPopupMenu::Build(std::uint32_t flags)
{
    if (!m_contextMenu)
        return false;
    TShellMenu description;
    if (Failed(m_contextMenu->QueryContextMenu(&description, 0, kFirstShellCommandId,
                                               kLastShellCommandId, flags)))
        return false;
    m_menu->clear();
    FillQMenu(m_menu.get(), description);
    InstallSendToSubmenus(m_menu.get());
    return true;
}

int TPTShellPopupMenu::Exec(const QPoint& globalPos, const THintEvent& onHint)
{
    QMetaObject::Connection hints;
    if (onHint) {
        const auto hintFor = [this, onHint](QAction* action) {
            PTEventGuard([&] {
                const int id = action->menu() ? 0 : action->data().toInt();
                onHint(ShellMenuHelpText(m_contextMenu.get(), id));
            });
        };
        hints = QObject::connect(m_menu.get(), &QMenu::hovered, m_menu.get(), hintFor);
        // Submenus report their own highlighted commands.
        for (QMenu* submenu : m_menu->findChildren<QMenu*>())
            QObject::connect(submenu, &QMenu::hovered, m_menu.get(), hintFor);
    }
    int id = 0;
    if (handler()) {
        id = handler()(m_menu.get());
    } else if (QAction* chosen = m_menu->exec(globalPos)) {
        id = chosen->data().toInt();
    }
    QObject::disconnect(hints);
    return id;
}
