#include "controls/treelist/TPTCustomListView.h"

// Mouse, wheel, drag and drop: what the panes report, passed on to the
// overridable input hooks.

#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"

#include <QMouseEvent>

void TPTCustomListView::SetDropTarget(int row)
{
    if (row >= FModel->Count())
        row = -1;
    if (row == FDropTarget)
        return;
    const int old = FDropTarget;
    FDropTarget = row;
    if (old >= 0) {
        FModel->Item(old).DropHighlighted = false;
        FModel->ItemChanged(old);
    }
    if (row >= 0) {
        FModel->Item(row).DropHighlighted = true;
        FModel->ItemChanged(row);
    }
}

void TPTCustomListView::SetDropsAccepted(bool accept)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FListPane),
                                    static_cast<QAbstractItemView*>(FDetailsPane)}) {
        view->setAcceptDrops(accept);
        view->viewport()->setAcceptDrops(accept);
    }
}

void TPTCustomListView::BeginDrag(TPTListItem* item, Qt::MouseButton button)
{
    if (OnBeginDrag)
        OnBeginDrag(this, item, button);
}

void TPTCustomListView::MouseDown(QMouseEvent*) {}

void TPTCustomListView::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TPTCustomListView::DragEvent(QEvent*)
{
    return false;
}

bool TPTCustomListView::MouseWheel(QWheelEvent*)
{
    return false;
}

bool TPTCustomListView::HostDragEvent(QEvent* event)
{
    return DragEvent(event);
}

bool TPTCustomListView::HostWheel(QWheelEvent* event)
{
    return MouseWheel(event);
}

bool TPTCustomListView::HostKeyDown(QKeyEvent* event)
{
    return KeyDown(event);
}

void TPTCustomListView::HostMouseDown(QMouseEvent* event)
{
    MouseDown(event);
}

void TPTCustomListView::HostDblClick(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        DblClick();
}

void TPTCustomListView::HostBeginDrag(Qt::MouseButton button, const QModelIndex& index)
{
    if (!index.isValid() || index.row() >= FModel->Count())
        return;
    BeginDrag(&FModel->Item(index.row()), button);
}
