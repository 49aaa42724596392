#include "controls/treelist/TPTCustomListView.h"

// Context-menu routing: a right click, the Menu key or Shift+F10 ends in
// one item context-menu step, and one click shows one menu.

#include "controls/treelist/TPTListItemModel.h"

#include <QMenu>

bool TPTCustomListView::KeyDown(QKeyEvent* event)
{
    if (!IsContextMenuKey(event))
        return false;
    DoPreItemContextMenu(QPoint(0, 0));
    return true;
}

void TPTCustomListView::HostRightButtonUp(const QPoint& clientPos)
{
    // A right click: the item step first, then the context-menu request that
    // follows the button-up, which the step's flag turns away so that one
    // click shows one menu; the flag is cleared at the end in every case.
    struct ClearShown {
        bool& flag;
        ~ClearShown() { flag = false; }
    } clear{FContextMenuShown};
    DoPreItemContextMenu(clientPos);
    ContextMenuMessage(clientPos, false);
}

void TPTCustomListView::HostContextMenu(const QPoint& clientPos)
{
    ContextMenuMessage(clientPos, false);
}

void TPTCustomListView::ContextMenuMessage(const QPoint& clientPos, bool fromKeyboard)
{
    if (FContextMenuShown || Selected() < 0 || ItemFocused() < 0)
        return;
    if (fromKeyboard)
        DoPreItemContextMenu(QPoint(0, 0));
    else
        DoItemContextMenu(clientPos);
}

QPoint TPTCustomListView::ItemIconCentre(int row) const
{
    const QRect r = ItemRect(row, drIcon);
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    return QPoint((r.x() + right) / 2, (r.y() + bottom) / 2);
}

void TPTCustomListView::DoPreItemContextMenu(const QPoint& clientPos)
{
    const int focused = ItemFocused();
    if (focused < 0) {
        PopupAt(FPopupMenu, clientPos);
        return;
    }
    if (IsSelected(focused)) {
        DoItemContextMenu(ItemIconCentre(focused));
        return;
    }
    const int first = Selected();
    if (first >= 0)
        DoItemContextMenu(ItemIconCentre(first));
    else
        PopupAt(FPopupMenu, clientPos);
}

void TPTCustomListView::DoItemContextMenu(const QPoint& clientPos)
{
    QMenu* menu = FPopupMenu;
    QPoint pos = clientPos;
    const int focused = ItemFocused();
    ItemContextMenu(focused >= 0 ? &FModel->Item(focused) : nullptr, pos, menu);
    FContextMenuShown = true;
    PopupAt(menu, pos);
}

void TPTCustomListView::ItemContextMenu(TPTListItem* item, QPoint& clientPos, QMenu*& menu)
{
    if (OnItemContextMenu)
        OnItemContextMenu(this, item, clientPos, menu);
}

void TPTCustomListView::PopupAt(QMenu* menu, const QPoint& clientPos)
{
    if (!menu)
        return;
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(this));
    menu->popup(ClientWidget()->mapToGlobal(clientPos));
}
