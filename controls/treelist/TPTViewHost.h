#pragma once

#include <QModelIndex>
#include <QPoint>
#include <QRect>

class QContextMenuEvent;
class QEvent;
class QWheelEvent;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QStyleOptionViewItem;
class QWidget;

// What the item views of the tree and the list report to the control that
// owns them. Only called on the user-interface thread.
class TPTViewHost
{
  public:
    virtual ~TPTViewHost() = default;

    // Control stages of custom draw around the painting of a view's viewport;
    // PaintBegin returns false when the default painting is to be skipped.
    virtual bool HostPaintBegin(QWidget* viewport) = 0;
    virtual void HostPaintEnd(QWidget* viewport) = 0;

    // Item stages; ItemDrawBegin returns false when the default drawing of
    // the item is to be skipped.
    virtual bool HostItemDrawBegin(QPainter* painter, const QRect& rect,
                                   const QModelIndex& index) = 0;
    virtual void HostItemDrawEnd(QPainter* painter, const QRect& rect,
                                 const QModelIndex& index) = 0;
    virtual bool HostItemDrawActive(const QModelIndex& index) const = 0;
    virtual void HostApplyItemOption(QStyleOptionViewItem* option,
                                     const QModelIndex& index) const = 0;

    // Input. KeyDown returns true when it consumed the key.
    virtual bool HostKeyDown(QKeyEvent* event) = 0;
    virtual void HostMouseDown(QMouseEvent* event) = 0;
    virtual void HostDblClick(QMouseEvent* event) = 0;
    virtual void HostRightButtonUp(const QPoint& clientPos) = 0;
    virtual void HostContextMenu(const QPoint& clientPos) = 0;
    virtual void HostBeginDrag(Qt::MouseButton button, const QModelIndex& index) = 0;
    // Drag enter, move, leave and drop over the view, and the wheel; true
    // when the owner handled the event, so the view's own handling is skipped.
    virtual bool HostDragEvent(QEvent* event) = 0;
    virtual bool HostWheel(QWheelEvent* event) = 0;

    // In-place editing: the veto before an editor opens and its end.
    virtual bool HostCanEdit(const QModelIndex& index) = 0;
    virtual void HostEditorClosed() = 0;
};

// The keyboard's way to ask for a context menu: the menu key or Shift+F10.
bool IsContextMenuKey(const QKeyEvent* event);
