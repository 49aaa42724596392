#include "shellwidgets/menus/ShellMenuWidgets.h"

#include <QAction>
#include <QFont>
#include <QMenu>

namespace
{

void addItems(QMenu* menu, const std::vector<TShellMenuItem>& items)
{
    for (const TShellMenuItem& item : items) {
        switch (item.kind) {
        case TShellMenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case TShellMenuItem::Kind::Submenu:
            addItems(menu->addMenu(item.text), item.items);
            break;
        case TShellMenuItem::Kind::Command: {
            QAction* action = menu->addAction(item.text);
            action->setData(item.id);
            action->setEnabled(item.enabled);
            if (item.isDefault) {
                QFont bold = action->font();
                bold.setBold(true);
                action->setFont(bold);
                menu->setDefaultAction(action);
            }
            break;
        }
        }
    }
}

} // namespace

void FillQMenu(QMenu* menu, const TShellMenu& description)
{
    addItems(menu, description.Items());
}
