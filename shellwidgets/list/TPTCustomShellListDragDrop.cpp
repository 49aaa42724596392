// Drag and drop in both directions, through Qt's drag and drop (so file
// managers take and give text/uri-list), and the mouse wheel.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/dragdrop/DeliverDrop.h"
#include "shell/dragdrop/DragDropAbilities.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/dragdrop/ShellDoDragDrop.h"
#include "shell/dragdrop/TDataObject_shlv.h"
#include "shell/dragdrop/TDropSource_shlvtv.h"
#include "shell/dragdrop/TMimeDataObject.h"
#include "shell/fileops/TFileSystemDropTarget.h"
#include "shell/shell95/OleConstants.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

#include <QApplication>
#include <QDropEvent>
#include <QWheelEvent>

namespace
{

constexpr std::uint32_t kDragDropAttributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;

} // namespace

// ---- dragging items out ------------------------------------------------------

std::uint32_t TPTCustomShellList::GetDragDropAttributesForItem(TPTListItem* item)
{
    TPTShListData* data = item ? GetDataFromItem(item) : nullptr;
    if (!data || !FFolderShellFolder)
        return 0;
    const PCItemIDList relative = data->RelativeIdList();
    std::uint32_t attributes = kDragDropAttributes;
    if (Failed(FFolderShellFolder->GetAttributesOf(1, &relative, &attributes)))
        return 0;
    return attributes & kDragDropAttributes;
}

std::uint32_t TPTCustomShellList::GetDragDropAttributesForAllSelected()
{
    const std::vector<PCItemIDList> lists = SelectedIdLists();
    if (lists.empty() || !FFolderShellFolder)
        return 0;
    std::uint32_t attributes = kDragDropAttributes;
    if (Failed(FFolderShellFolder->GetAttributesOf(std::uint32_t(lists.size()), lists.data(),
                                                   &attributes)))
        return 0;
    return attributes & kDragDropAttributes;
}

void TPTCustomShellList::BeginDrag(TPTListItem* item, Qt::MouseButton button)
{
    TPTCustomListView::BeginDrag(item, button);
    if (FOptions.Has(ptsloOleDrag))
        PTEventGuard([&] { OleBeginDrag(button); });
}

void TPTCustomShellList::OleBeginDrag(Qt::MouseButton button)
{
    const std::vector<PCItemIDList> lists = SelectedIdLists();
    const std::uint32_t allowed = GetDragDropAttributesForAllSelected();
    if (lists.empty() || allowed == 0)
        return;
    TComPtr<IDataObject> data;
    if (TDataObject_shlv::Create(FFolderShellFolder.get(), FFolderIdList,
                                 QList<PCItemIDList>(lists.begin(), lists.end()),
                                 data.put()) != S_OK)
        return;
    const std::uint32_t dragButton = button == Qt::RightButton ? MK_RBUTTON : MK_LBUTTON;
    const auto source = TComPtr<IDropSource>::adopt(new TDropSource_shlvtv(dragButton));
    FInMenuOrDrag = true;
    FDragOut = true;
    // Qt's drag loop takes the button's release itself, so the flag only
    // lasts as long as the drag.
    FRightDragStarted = dragButton == MK_RBUTTON;
    FRefreshPending = false;
    std::uint32_t effect = 0;
    HRESULT result = S_OK;
    try {
        result = ShellDoDragDrop(this, data.get(), source.get(), allowed, &effect);
    } catch (...) {
        FInMenuOrDrag = FDragOut = FRightDragStarted = FRefreshPending = false;
        throw;
    }
    const bool refresh = result == DRAGDROP_S_DROP || FRefreshPending;
    FInMenuOrDrag = FDragOut = FRightDragStarted = FRefreshPending = false;
    if (refresh) {
        RefreshItems();
        SortList();
    }
}

// ---- accepting drops -----------------------------------------------------------

TComPtr<IDropTarget> TPTCustomShellList::FolderDropTarget()
{
    TComPtr<IDropTarget> target;
    if (FFolderPath.isEmpty())
        return target; // Computer: nothing can be dropped into it
    const int depth = IdListItemCount(FFolderIdList);
    if (depth == 0) {
        target = TComPtr<IDropTarget>::adopt(
            new TFileSystemDropTarget(FileNameFromString(FFolderPath), this));
        return target;
    }
    // The folder's own target comes from its parent, like an item's.
    TIdListPtr parentList(IdListPrefix(FFolderIdList, depth - 1));
    TComPtr<IShellFolder> parent;
    if (Failed(ShellGetFolderFromIdList(parentList.get(), parent.put())))
        return target;
    const PCItemIDList last = IdListLastItem(FFolderIdList);
    if (Failed(parent->GetUIObjectOf(this, 1, &last, IID_IDropTarget, nullptr, target.putVoid())))
        target.reset();
    return target;
}

TComPtr<IDropTarget> TPTCustomShellList::DropTargetAt(const QPoint& clientPos, int& row,
                                                      std::uint32_t& effect)
{
    TComPtr<IDropTarget> target;
    row = ItemAt(clientPos);
    if (row >= 0) {
        TPTListItem* item = &Item(row);
        if (!ItemHasData(item)) {
            row = -1;
            effect = DROPEFFECT_NONE; // nothing would take the drop
            return target;
        }
        if (Succeeded(GetUIObjectForItem(item, IID_IDropTarget, target.putVoid())) && target)
            return target;
        // A file takes nothing: the drop goes to the folder it is in.
        row = -1;
        return FolderDropTarget();
    }
    if (OwnDrag()) {
        // Beside the items of its own folder: only a right-button drag may
        // drop there, to copy or link through the drop menu.
        effect = (FDragKeyState & MK_RBUTTON) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return target;
    }
    return FolderDropTarget();
}

HRESULT TPTCustomShellList::OnDropTarget_DragEnter(IDataObject* dataObject, std::uint32_t keyState,
                                                   TPointL point, std::uint32_t& effect)
{
    FDragScrollTime.start();
    FDragData = TComPtr<IDataObject>::share(dataObject);
    FDragKeyState = keyState;
    int row = -1;
    std::uint32_t fallback = DROPEFFECT_NONE;
    const QPoint client = ClientWidget()->mapFromGlobal(QPoint(point.x, point.y));
    const TComPtr<IDropTarget> target = DropTargetAt(client, row, fallback);
    HRESULT result = S_OK;
    if (target) {
        result = target->DragEnter(dataObject, keyState, point, &effect);
        target->DragLeave();
    } else {
        effect = fallback;
    }
    SetDropTarget(effect != DROPEFFECT_NONE ? row : -1);
    return result;
}

HRESULT TPTCustomShellList::OnDropTarget_DragOver(std::uint32_t keyState, TPointL point,
                                                  std::uint32_t& effect)
{
    int row = -1;
    std::uint32_t fallback = DROPEFFECT_NONE;
    const QPoint client = ClientWidget()->mapFromGlobal(QPoint(point.x, point.y));
    const TComPtr<IDropTarget> target = DropTargetAt(client, row, fallback);
    HRESULT result = S_OK;
    if (target && FDragData) {
        std::uint32_t entered = effect;
        target->DragEnter(FDragData.get(), keyState, point, &entered);
        result = target->DragOver(keyState, point, &effect);
        target->DragLeave();
    } else {
        effect = fallback;
    }
    SetDropTarget(effect != DROPEFFECT_NONE ? row : -1);
    DragAutoScroll(client);
    effect |= DROPEFFECT_SCROLL;
    return result;
}

void TPTCustomShellList::DragAutoScroll(const QPoint& clientPos)
{
    if (FDragScrollTime.isValid() && FDragScrollTime.elapsed() <= kDragScrollMs)
        return;
    const QSize size = ClientWidget()->size();
    if (clientPos.x() < kDragScrollMarginX)
        ScrollColumns(-1);
    else if (clientPos.x() > size.width() - kDragScrollMarginX)
        ScrollColumns(1);
    if (clientPos.y() < kDragScrollMarginY)
        ScrollLines(-1);
    else if (clientPos.y() > size.height() - kDragScrollMarginY)
        ScrollLines(1);
    FDragScrollTime.start();
}

void TPTCustomShellList::EndDragOver()
{
    FDragData.reset();
    SetDropTarget(-1);
}

HRESULT TPTCustomShellList::OnDropTarget_DragLeave()
{
    EndDragOver();
    return S_OK;
}

HRESULT TPTCustomShellList::OnDropTarget_Drop(IDataObject* dataObject, std::uint32_t keyState,
                                              TPointL point, std::uint32_t& effect)
{
    struct TEnd {
        TPTCustomShellList* list;
        ~TEnd() { list->EndDragOver(); }
    } end{this};
    const QPoint client = ClientWidget()->mapFromGlobal(QPoint(point.x, point.y));
    TComPtr<IDropTarget> target;
    if (ItemAt(client) < 0 && OwnDrag()) {
        // Onto its own folder: a right-button drag asks, without Move (the
        // items are there already); a left-button drag drops nothing.
        if (FDragKeyState & MK_RBUTTON) {
            effect &= ~DROPEFFECT_MOVE;
            target = FolderDropTarget();
        }
    } else {
        int row = -1;
        std::uint32_t fallback = DROPEFFECT_NONE;
        target = DropTargetAt(client, row, fallback);
    }
    if (!target) {
        effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // Qt's drop carries no buttons: those of the enter tell a right-button drop.
    keyState |= FDragKeyState & (MK_LBUTTON | MK_RBUTTON);
    effect &= DragDropAbilitiesOf(dataObject);
    return DeliverDrop(target.get(), dataObject, keyState, point, effect);
}

bool TPTCustomShellList::DragEvent(QEvent* event)
{
    if (!FOptions.Has(ptsloOleDrop))
        return false;
    PTEventGuard([&] {
        if (event->type() == QEvent::DragLeave) {
            OnDropTarget_DragLeave();
            event->accept();
            return;
        }
        auto* drop = static_cast<QDropEvent*>(event);
        // The drop-target calls take screen points.
        TQtDropArguments arguments = DropArgumentsOf(drop);
        const QPoint global =
            ClientWidget()->mapToGlobal(QPoint(arguments.point.x, arguments.point.y));
        const TPointL point{global.x(), global.y()};
        TComPtr<IDataObject> data = FDragData;
        if (event->type() == QEvent::DragEnter || !data) {
            if (Failed(TMimeDataObject::Create(drop->mimeData(), data.put()))) {
                event->ignore();
                return;
            }
        }
        switch (event->type()) {
        case QEvent::DragEnter:
            OnDropTarget_DragEnter(data.get(), arguments.keyState, point, arguments.effect);
            // Accepted even when nothing is under the point, so the moves
            // over other items still arrive.
            drop->setDropAction(QtDropActionFromEffect(arguments.effect));
            event->accept();
            break;
        case QEvent::DragMove:
            OnDropTarget_DragOver(arguments.keyState, point, arguments.effect);
            AnswerDropEvent(drop, arguments.effect);
            break;
        case QEvent::Drop:
            OnDropTarget_Drop(data.get(), arguments.keyState, point, arguments.effect);
            AnswerDropEvent(drop, arguments.effect);
            // A drop from another program changes the folder: show it now
            // rather than after the change notice's delay.
            if (arguments.effect != DROPEFFECT_NONE && !FInMenuOrDrag)
                RefreshItems();
            break;
        default:
            break;
        }
    });
    return true;
}

// ---- the mouse wheel -------------------------------------------------------------

bool TPTCustomShellList::MouseWheel(QWheelEvent* event)
{
    bool handled = false;
    PTEventGuard([&] {
        // A wheel the list receives over another shell tree or list (a grab,
        // or a wheel sent to the focused control) belongs to that control.
        QWidget* under = QApplication::widgetAt(event->globalPosition().toPoint());
        for (QWidget* w = under; w; w = w->parentWidget()) {
            if (w == this)
                break;
            if (w->inherits("TPTCustomShellTree") || w->inherits("TPTCustomShellList")) {
                QWheelEvent forwarded(under->mapFromGlobal(event->globalPosition()),
                                      event->globalPosition(), event->pixelDelta(),
                                      event->angleDelta(), event->buttons(), event->modifiers(),
                                      event->phase(), event->inverted());
                QCoreApplication::sendEvent(under, &forwarded);
                handled = true;
                return;
            }
        }
        // The list style lays its columns side by side: the wheel scrolls them.
        if (GetViewStyle() == vsList && event->angleDelta().y() != 0) {
            const int notches = -event->angleDelta().y() / 120;
            ScrollColumns(notches * QApplication::wheelScrollLines());
            handled = true;
        }
    });
    return handled;
}
