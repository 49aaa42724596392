#pragma once

#include "shell/shell95/IContextMenu.h"
#include "shell/shell95/TComPtr.h"

#include <QMenu>
#include <QPoint>

#include <functional>
#include <memory>

// A shell context menu shown as a QMenu: the commands of an IContextMenu
// (identifiers 50 to 0x7FFF), the Send To submenu filled by the library
// (SendToSubmenu.h), and the help text of the highlighted command. The tree
// and the list show their menus through it. User-interface thread only.
class TPTShellPopupMenu
{
  public:
    using THintEvent = std::function<void(const QString& hint)>;
    // Chooses an identifier from the built menu instead of showing it (0:
    // cancelled); tests answer through it. Returns the handler replaced.
    using THandler = std::function<int(QMenu* menu)>;
    static THandler SetHandler(THandler handler);

    TPTShellPopupMenu(IContextMenu* contextMenu, QWidget* owner);
    ~TPTShellPopupMenu();
    TPTShellPopupMenu(const TPTShellPopupMenu&) = delete;
    TPTShellPopupMenu& operator=(const TPTShellPopupMenu&) = delete;

    // Lets the shell fill the menu with the flags (CMF_*); false when it
    // fails, and then nothing is to be shown.
    bool Build(std::uint32_t flags);
    // Shows the menu at a screen position and waits for the choice; the
    // chosen identifier, 0 when cancelled. onHint (when set) gets the help
    // text of each command highlighted, empty for the others.
    int Exec(const QPoint& globalPos, const THintEvent& onHint = {});

    QMenu* Menu() const { return m_menu.get(); }
    IContextMenu* ContextMenu() const { return m_contextMenu.get(); }

  private:
    TComPtr<IContextMenu> m_contextMenu;
    std::unique_ptr<QMenu> m_menu;
};
