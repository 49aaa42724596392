#include "shellwidgets/menus/SendToSubmenu.h"

#include "shell/PTEventGuard.h"
#include "shellwidgets/images/TPTSystemImageList.h"
#include "shellwidgets/menus/TPTSendToList.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace
{

QList<QAction*> entryActions(const QMenu* submenu)
{
    QList<QAction*> entries;
    for (QAction* action : submenu->actions())
        if (!action->isSeparator() && action->data().toInt() > 0 &&
            action->data().toInt() < kFirstShellCommandId)
            entries << action;
    return entries;
}

// Typed letters in a filled Send To submenu.
class TSendToKeys : public QObject
{
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* menu = static_cast<QMenu*>(watched);
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const QList<QAction*> entries = entryActions(menu);
        // Space and the other keys keep Qt's meaning in a menu.
        if (text.size() != 1 || !text.at(0).isPrint() || text.at(0).isSpace() || entries.isEmpty())
            return QObject::eventFilter(watched, event);
        QStringList names;
        for (const QAction* action : entries)
            names << TPTSendToList::Instance().DisplayName(action->data().toInt() - 1);
        bool handled = false;
        PTEventGuard([&] {
            const TSendToMenuChar answer =
                SendToMenuChar(names, int(entries.indexOf(menu->activeAction())), text.at(0));
            handled = true;
            if (answer.kind == TSendToMenuChar::Close) {
                menu->hide(); // back to the menu it came from
                return;
            }
            QAction* chosen = entries.at(answer.index);
            menu->setActiveAction(chosen);
            if (answer.kind == TSendToMenuChar::Execute)
                chosen->trigger();
        });
        return handled || QObject::eventFilter(watched, event);
    }
};

} // namespace

bool IsSendToPlaceholder(const QMenu* submenu)
{
    const QList<QAction*> actions = submenu->actions();
    return actions.size() == 1 && !actions.first()->isEnabled() && !actions.first()->menu();
}

void FillSendToSubmenu(QMenu* submenu)
{
    if (!IsSendToPlaceholder(submenu))
        return;
    TPTSendToList& list = TPTSendToList::Instance();
    list.Reload();
    const int count = std::min(list.Count(), kFirstShellCommandId - 1);
    if (count == 0)
        return;
    submenu->clear();
    TPTImageList* images = TPTSystemImageList::Get(ptsizSmall);
    for (int i = 0; i < count; ++i) {
        QString text = list.DisplayName(i);
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = submenu->addAction(text);
        action->setData(i + 1);
        if (list.At(i).iconIndex >= 0 && images)
            action->setIcon(images->Icon(list.At(i).iconIndex));
    }
}

void InstallSendToSubmenus(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        QMenu* submenu = action->menu();
        if (!submenu)
            continue;
        if (IsSendToPlaceholder(submenu)) {
            QObject::connect(submenu, &QMenu::aboutToShow, submenu, [submenu] {
                PTEventGuard([submenu] { FillSendToSubmenu(submenu); });
            });
            submenu->installEventFilter(new TSendToKeys(submenu));
        } else {
            InstallSendToSubmenus(submenu);
        }
    }
}

TSendToMenuChar SendToMenuChar(const QStringList& names, int highlighted, QChar typed)
{
    const QChar wanted = typed.toUpper();
    const auto startsWith = [&](int i) {
        return !names.at(i).isEmpty() && names.at(i).at(0).toUpper() == wanted;
    };
    const int count = int(names.size());
    int found = -1;
    int matches = 0;
    for (int step = 1; step <= count; ++step) {
        const int i = highlighted < 0 ? step - 1 : (highlighted + step) % count;
        if (!startsWith(i))
            continue;
        if (found < 0)
            found = i;
        ++matches;
    }
    if (found < 0)
        return {};
    return {matches == 1 ? TSendToMenuChar::Execute : TSendToMenuChar::Select, found};
}
