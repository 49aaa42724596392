// Dragging nodes out of the tree and dropping onto its nodes.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/EPlatformError.h"
#include "shell/PTEventGuard.h"
#include "shell/dragdrop/DeliverDrop.h"
#include "shell/dragdrop/DragDropAbilities.h"
#include "shell/dragdrop/ShellDoDragDrop.h"
#include "shell/dragdrop/TDataObject_shtv.h"
#include "shell/dragdrop/TDropSource_shlvtv.h"
#include "shell/dragdrop/TDropTarget_shtv.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/IDropTarget.h"
#include "shellwidgets/menus/TPTQtDropBridge.h"

namespace
{

constexpr std::uint32_t kAllDropEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

TComPtr<IDropTarget> dropTargetOf(TPTShTreeData* data, HWND owner)
{
    TComPtr<IDropTarget> target;
    if (!data || Failed(data->GetIDropTarget(owner, target.put())))
        return nullptr;
    return target;
}

} // namespace

// ---- dragging a node -------------------------------------------------------

void TPTCustomShellTree::BeginDrag(TPTTreeNode* node, Qt::MouseButton button)
{
    if (!(FOptions & ptstoOleDrag)) {
        TPTCustomTreeView::BeginDrag(node, button);
        return;
    }
    FDragSourceNode = node;
    SetDropTarget(node);
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        // Top-level nodes have nowhere to be moved from: they are never dragged.
        if (data && data->ParentData())
            OleBeginDrag(button);
    });
    FDragSourceNode = nullptr;
    SetDropTarget(nullptr);
}

void TPTCustomShellTree::OleBeginDrag(Qt::MouseButton button)
{
    TPTShTreeData* data = GetDataFromNode(FDragSourceNode);
    TComPtr<IShellFolder> parent = data ? data->GetParentIShf() : nullptr;
    if (!parent)
        return;
    // Refreshes asked for during the drag loop wait until it ends; a drop
    // refreshes in any case. Both also when the loop fails.
    struct DragScope {
        TPTCustomShellTree* tree;
        bool dropped = false;
        ~DragScope()
        {
            tree->FRefreshPending = tree->FRefreshPending || dropped;
            tree->SetInMenuOrDrag(false);
        }
    } scope{this};
    SetInMenuOrDrag(true);
    TComPtr<IDataObject> dataObject;
    CheckResult(TDataObject_shtv::Create(parent.get(), data->ParentData()->GetAbsPidl(),
                                         data->RelPidl(), dataObject.put()));
    const std::uint32_t allowed = GetDragDropAttributesForNode(FDragSourceNode);
    const std::uint32_t dragButton = button == Qt::RightButton ? MK_RBUTTON : MK_LBUTTON;
    auto source = TComPtr<IDropSource>::adopt(new TDropSource_shlvtv(dragButton));
    std::uint32_t effect = DROPEFFECT_NONE;
    scope.dropped =
        ShellDoDragDrop(this, dataObject.get(), source.get(), allowed, &effect) == DRAGDROP_S_DROP;
}

std::uint32_t TPTCustomShellTree::GetDragDropAttributesForNode(TPTTreeNode* node)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data || !data->ParentData())
        return kAllDropEffects;
    TComPtr<IShellFolder> parent = data->GetParentIShf();
    std::uint32_t attributes = kAllDropEffects;
    PCItemIDList item = data->RelPidl();
    if (!parent || Failed(parent->GetAttributesOf(1, &item, &attributes)))
        return kAllDropEffects;
    return attributes & kAllDropEffects;
}

// ---- accepting drops -------------------------------------------------------

void TPTCustomShellTree::UpdateDropRegistration(bool wanted)
{
    if (wanted && !FRegisteredDropTarget) {
        FRegisteredDropTarget = TComPtr<TDropTarget_shtv>::adopt(new TDropTarget_shtv(this));
        FDropBridge->SetTarget(FRegisteredDropTarget.get());
        SetDropsAccepted(true);
    } else if (!wanted && FRegisteredDropTarget) {
        // A drag loop may still hold the target: it answers nothing from now on.
        FRegisteredDropTarget->Detach();
        FDropBridge->SetTarget(nullptr);
        FRegisteredDropTarget.reset();
        SetDropsAccepted(false);
        FDragData.reset();
    }
}

bool TPTCustomShellTree::DragEvent(QEvent* event)
{
    if (!FDropBridge->Target())
        return TPTCustomTreeView::DragEvent(event);
    return FDropBridge->Handle(event);
}

TPTTreeNode* TPTCustomShellTree::NodeAtScreen(TPointL point) const
{
    return NodeAt(viewport()->mapFromGlobal(QPoint(point.x, point.y)));
}

HRESULT TPTCustomShellTree::OnDropTarget_DragEnter(IDataObject* dataObject, std::uint32_t keyState,
                                                   TPointL point, std::uint32_t& effect)
{
    FAutoScroll.Start();
    FDragData = TComPtr<IDataObject>::share(dataObject);
    FDragKeyState = keyState;
    TPTTreeNode* node = NodeAtScreen(point);
    TPTShTreeData* data = GetDataFromNode(node);
    if (data && data->ParentData()) {
        SetDropTarget(node);
        if (TComPtr<IDropTarget> target = dropTargetOf(data, window())) {
            const HRESULT hr = target->DragEnter(dataObject, keyState, point, &effect);
            target->DragLeave();
            return hr;
        }
        effect = DROPEFFECT_NONE;
        return S_OK;
    }
    SetDropTarget(FDragSourceNode);
    effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TPTCustomShellTree::OnDropTarget_DragOver(std::uint32_t keyState, TPointL point,
                                                  std::uint32_t& effect)
{
    TPTTreeNode* const highlighted = DropTarget();
    const QPoint clientPoint = viewport()->mapFromGlobal(QPoint(point.x, point.y));
    TPTTreeNode* node = NodeAt(clientPoint);
    TPTShTreeData* data = GetDataFromNode(node);
    HRESULT hr = S_OK;
    std::uint32_t answer = DROPEFFECT_NONE;
    if (data) {
        SetDropTarget(node);
        TComPtr<IDropTarget> target = dropTargetOf(data, window());
        if (target && FDragData) {
            std::uint32_t entered = effect;
            target->DragEnter(FDragData.get(), keyState, point, &entered);
            answer = effect;
            hr = target->DragOver(keyState, point, &answer);
            target->DragLeave();
        }
    } else {
        SetDropTarget(FDragSourceNode);
    }
    const QPoint step = FAutoScroll.Step(viewport()->size(), clientPoint,
                                         [this](Qt::Orientation orientation, int direction) {
                                             return CanScroll(orientation, direction);
                                         });
    if (step.x())
        ScrollColumns(step.x());
    if (step.y())
        ScrollLines(step.y());
    effect = answer | DROPEFFECT_SCROLL;
    if (DropTarget() != highlighted)
        viewport()->repaint();
    return hr;
}

HRESULT TPTCustomShellTree::OnDropTarget_DragLeave()
{
    FDragData.reset();
    SetDropTarget(nullptr);
    return S_OK;
}

HRESULT TPTCustomShellTree::OnDropTarget_Drop(IDataObject* dataObject, std::uint32_t keyState,
                                              TPointL point, std::uint32_t& effect)
{
    struct DropScope {
        TPTCustomShellTree* tree;
        ~DropScope()
        {
            tree->SetDropTarget(nullptr);
            tree->FDragData.reset();
        }
    } scope{this};
    TPTShTreeData* data = GetDataFromNode(NodeAtScreen(point));
    TComPtr<IDropTarget> target = dropTargetOf(data, window());
    if (!target) {
        effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // Qt's drop carries no buttons: those held at the enter decide, so a
    // right-button drag ends with the drop menu.
    keyState |= FDragKeyState & (MK_LBUTTON | MK_RBUTTON);
    effect &= DragDropAbilitiesOf(dataObject);
    const HRESULT hr = DeliverDrop(target.get(), dataObject, keyState, point, effect);
    RefreshNodes();
    return hr;
}
