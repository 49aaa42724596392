#pragma once

#include "controls/treelist/TPTViewHost.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>

// The behaviour the tree, the list's icon view and its details view share:
// custom-draw stages around painting, the right-click and context-menu
// routing, begin-drag for both buttons, and the editing veto. The owner
// decides; the pane only reports the moments to it.
template <class TBase> class TPTViewPane : public TBase
{
  public:
    explicit TPTViewPane(QWidget* parent = nullptr) : TBase(parent)
    {
        TBase::setDragEnabled(false);
    }

    void SetHost(TPTViewHost* host) { FHost = host; }
    // A tree keeps its selection on a right click; a list selects the item.
    void SetRightPressSelects(bool selects) { FRightPressSelects = selects; }
    TPTViewHost* Host() const { return FHost; }

    bool IsEditing() const { return TBase::state() == QAbstractItemView::EditingState; }
    void ForceLayout() { TBase::executeDelayedItemsLayout(); }
    void ScrollBy(int dx, int dy) { TBase::scrollContentsBy(dx, dy); }

  protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!FHost) {
            TBase::paintEvent(event);
            return;
        }
        if (FHost->HostPaintBegin(TBase::viewport()))
            TBase::paintEvent(event);
        FHost->HostPaintEnd(TBase::viewport());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (FHost && !IsEditing() && FHost->HostKeyDown(event)) {
            event->accept();
            return;
        }
        TBase::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        // Only the left and the right button begin a drag.
        const Qt::MouseButton button = event->button();
        FPressButton =
            button == Qt::LeftButton || button == Qt::RightButton ? button : Qt::NoButton;
        FPressPos = event->position().toPoint();
        FPressIndex = TBase::indexAt(FPressPos);
        FDragStarted = false;
        if (FHost)
            FHost->HostMouseDown(event);
        if (event->button() == Qt::RightButton && !FRightPressSelects) {
            TBase::setFocus(Qt::MouseFocusReason);
            event->accept();
            return;
        }
        TBase::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const bool onItem = FPressIndex.isValid();
        if (FPressButton != Qt::NoButton && onItem && !FDragStarted) {
            const QPoint delta = event->position().toPoint() - FPressPos;
            if (delta.manhattanLength() >= QApplication::startDragDistance()) {
                FDragStarted = true;
                const Qt::MouseButton button = FPressButton;
                const QPersistentModelIndex index = FPressIndex;
                FPressButton = Qt::NoButton;
                if (FHost)
                    FHost->HostBeginDrag(button, index);
            }
            return;
        }
        // A press on an item drags it instead of extending the selection.
        if (onItem && (event->buttons() & (Qt::LeftButton | Qt::RightButton)))
            return;
        TBase::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const bool rightClick = event->button() == Qt::RightButton && !FDragStarted;
        FPressButton = Qt::NoButton;
        FPressIndex = QPersistentModelIndex();
        TBase::mouseReleaseEvent(event);
        if (rightClick && FHost)
            FHost->HostRightButtonUp(event->position().toPoint());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        TBase::mouseDoubleClickEvent(event);
        if (FHost)
            FHost->HostDblClick(event);
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (FHost && FHost->HostWheel(event))
            return;
        TBase::wheelEvent(event);
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (!FHost || !FHost->HostDragEvent(event))
            TBase::dragEnterEvent(event);
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (!FHost || !FHost->HostDragEvent(event))
            TBase::dragMoveEvent(event);
    }
    void dragLeaveEvent(QDragLeaveEvent* event) override
    {
        if (!FHost || !FHost->HostDragEvent(event))
            TBase::dragLeaveEvent(event);
    }
    void dropEvent(QDropEvent* event) override
    {
        if (!FHost || !FHost->HostDragEvent(event))
            TBase::dropEvent(event);
    }

    // Mouse clicks reach the menu through the right-button-up above and the
    // context-menu key through HostKeyDown; only other requests (a program
    // sending the event) are routed here, so each click shows one menu.
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        event->accept();
        if (event->reason() == QContextMenuEvent::Other && FHost)
            FHost->HostContextMenu(TBase::viewport()->mapFromGlobal(event->globalPos()));
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        TBase::closeEditor(editor, hint);
        if (FHost)
            FHost->HostEditorClosed();
    }

  private:
    TPTViewHost* FHost = nullptr;
    Qt::MouseButton FPressButton = Qt::NoButton;
    QPoint FPressPos;
    QPersistentModelIndex FPressIndex;
    bool FDragStarted = false;
    bool FRightPressSelects = true;
};
