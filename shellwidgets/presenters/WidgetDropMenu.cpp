#include "shellwidgets/presenters/WidgetDropMenu.h"

#include "shell/shell95/OleConstants.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QMenu>

std::uint32_t ShowWidgetDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    QMenu menu(owner);
    const struct {
        std::uint32_t effect;
        const char* text;
    } entries[] = {{DROPEFFECT_COPY, "&Copy Here"},
                   {DROPEFFECT_MOVE, "&Move Here"},
                   {DROPEFFECT_LINK, "Create &Link Here"}};
    for (const auto& entry : entries) {
        if (!(allowed & entry.effect))
            continue;
        QAction* action = menu.addAction(QString::fromLatin1(entry.text));
        action->setData(entry.effect);
        if (entry.effect == defaultEffect) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu.setDefaultAction(action);
        }
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cancel"))->setData(0u);
    const QAction* chosen = menu.exec(QCursor::pos(), menu.defaultAction());
    return chosen ? chosen->data().toUInt() : 0;
}
