#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "shell/PTEventGuard.h"
#include "shell/PTMessages.h"
#include "shell/dragdrop/TDropTarget_shtv.h"
#include "shell/icons/SystemIcons.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shellwidgets/images/TPTSystemImageList.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/links/PTSetLink.h"
#include "shellwidgets/menus/TPTQtDropBridge.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"
#include "shellwidgets/tree/TPTFolderScan.h"

#include <QCoreApplication>

#include <vector>

TPTCustomShellTree::TPTCustomShellTree(QWidget* parent) : TPTCustomTreeView(parent)
{
    InstallShellWidgetPresenters();
    FDelayTimer.setSingleShot(true);
    connect(&FDelayTimer, &QTimer::timeout, this,
            [this] { PTEventGuard([this] { TimerElapsed(); }); });
    FScanTimer.setInterval(20);
    connect(&FScanTimer, &QTimer::timeout, this, [this] { PTEventGuard([this] { ScanTick(); }); });
    FBaseFolder.SetOnChange([this](TPTShellLocator*) { BaseFolderChanged(); });
    FSelectedFolder.SetOnChange([this](TPTShellLocator*) { SelectedFolderChanged(); });
    InstallImages();
    FDropBridge = std::make_unique<TPTQtDropBridge>(viewport());
    UpdateDropRegistration(FOptions & ptstoOleDrop);
    PTDeviceChangeHandler()->Add(this, [this](TPTDeviceChangeHandler* sender, const TMessage& m) {
        PTEventGuard([&] { DeviceChangeDetected(sender, m); });
    });
    // The first fill waits until the program has finished setting the tree up
    // (base folder, options, links) and the event loop runs.
    QCoreApplication::postEvent(this, new TPTMessageEvent(AM_DEFERREDFILL, 0, 0));
}

TPTCustomShellTree::~TPTCustomShellTree()
{
    ++FSyncLock;
    PTDeviceChangeHandler()->Remove(this);
    FDelayTimer.stop();
    FScanTimer.stop();
    FScans.clear();
    SetShellList(nullptr);
    SetShellCombo(nullptr);
    FChangeThread.reset();
    UpdateDropRegistration(false);
    // The teardown rule: every record passes through this class's Delete.
    DestroyItems();
}

void TPTCustomShellTree::InstallImages()
{
    // The shared small system image list, overlays included.
    SetImages(TPTSystemImageList::Get(ptsizSmall));
}

// ---- records -------------------------------------------------------------

TPTShTreeData* TPTCustomShellTree::GetDataFromNode(TPTTreeNode* node) const
{
    if (!node || !node->Data())
        return nullptr;
    // Foreign nodes may carry data of their own: only our records count.
    auto* data = static_cast<TPTShTreeData*>(node->Data());
    return FRecords.contains(data) ? data : nullptr;
}

void TPTCustomShellTree::FreeNodeData(TPTTreeNode* node)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data)
        return;
    std::unique_ptr<TPTShTreeData> owned(data);
    FRecords.remove(data);
    node->SetData(nullptr);
    if (OnDeleteItem)
        OnDeleteItem(this, node, data);
}

void TPTCustomShellTree::Delete(TPTTreeNode* node)
{
    FScans.erase(node);
    FWatches.remove(node);
    if (node == FLastAdded)
        FLastAdded = nullptr;
    if (node == FDragSourceNode)
        FDragSourceNode = nullptr;
    PTEventGuard([&] {
        struct FreeAlways {
            TPTCustomShellTree* tree;
            TPTTreeNode* node;
            ~FreeAlways() { tree->FreeNodeData(node); }
        } freeAlways{this, node};
        TPTCustomTreeView::Delete(node);
    });
    UpdateBusyCursor();
}

TPTShTreeData* TPTCustomShellTree::SelectedItem() const
{
    return GetDataFromNode(Selected());
}

TPTShTreeData* TPTCustomShellTree::ShTreeData(int index) const
{
    if (index < 0)
        return nullptr;
    std::vector<TPTTreeNode*> stack;
    for (int i = TopCount() - 1; i >= 0; --i)
        stack.push_back(TopItem(i));
    while (!stack.empty()) {
        TPTTreeNode* node = stack.back();
        stack.pop_back();
        if (index-- == 0)
            return GetDataFromNode(node);
        for (int i = node->Count() - 1; i >= 0; --i)
            stack.push_back(node->Item(i));
    }
    return nullptr;
}

TPTTreeNode* TPTCustomShellTree::GetFirstRootLevelShellNode() const
{
    for (int i = 0; i < TopCount(); ++i)
        if (GetDataFromNode(TopItem(i)))
            return TopItem(i);
    return nullptr;
}

QString TPTCustomShellTree::GetSelectedPathName()
{
    TPTShTreeData* data = SelectedItem();
    return data ? data->GetPathName() : QString();
}

void TPTCustomShellTree::SetSelectedPathName(const QString& path)
{
    if (FSyncLock < 1)
        FSelectedFolder.SetPathName(path);
}

// ---- options and links ---------------------------------------------------

void TPTCustomShellTree::SetOptions(TPTShellTreeOptions options)
{
    const TPTShellTreeOptions changed = FOptions ^ options;
    FOptions = options;
    // ptstoOleDrag and ptstoContextMenus are read where they matter.
    if (changed & ptstoOleDrop)
        UpdateDropRegistration(options & ptstoOleDrop);
    if (changed & ptstoDynamicRefresh) {
        if (options & ptstoDynamicRefresh)
            InstallChangeHandlersForAllLocalDrives();
        else
            InstallChangeHandler(QString());
    }
}

void TPTCustomShellTree::SetShellList(IPTLinkedShellList* list)
{
    if (list == FShellList)
        return;
    PTSetLink<IPTLinkedShellTree>(FShellList, list, this, &IPTLinkedShellList::SetShellTree,
                                  &IPTLinkedShellList::ShellTree);
    if (FShellList)
        FShellList->SetFolder(FSelectedFolder.GetIdList());
}

void TPTCustomShellTree::SetShellCombo(IPTLinkedShellCombo* combo)
{
    PTSetLink<IPTLinkedShellTree>(FShellCombo, combo, this, &IPTLinkedShellCombo::SetShellTree,
                                  &IPTLinkedShellCombo::ShellTree);
}

void TPTCustomShellTree::SetInMenuOrDrag(bool value)
{
    FInMenuOrDrag = value;
    if (!value && FRefreshPending) {
        FRefreshPending = false;
        RefreshNodes();
    }
}

bool TPTCustomShellTree::IsEditingCaption() const
{
    return state() == QAbstractItemView::EditingState;
}

// ---- images and drawing --------------------------------------------------

int TPTCustomShellTree::GetImageIndex(TPTTreeNode* node)
{
    PTEventGuard([&] {
        if (node->ImageIndex() == 0)
            if (TPTShTreeData* data = GetDataFromNode(node))
                node->SetImageIndex(ShellGetIconIndex(data->GetAbsPidl(), SHGFI_SMALLICON));
    });
    return TPTCustomTreeView::GetImageIndex(node);
}

int TPTCustomShellTree::GetSelectedIndex(TPTTreeNode* node)
{
    PTEventGuard([&] {
        if (node->SelectedIndex() == 0)
            if (TPTShTreeData* data = GetDataFromNode(node))
                node->SetSelectedIndex(
                    ShellGetIconIndex(data->GetAbsPidl(), SHGFI_SMALLICON | SHGFI_OPENICON));
    });
    return TPTCustomTreeView::GetSelectedIndex(node);
}

TPTCustomDraw* TPTCustomShellTree::PTCustomDraw(TNMCustomDraw& record, uint32_t& result)
{
    TPTCustomDraw* draw = TPTCustomTreeView::PTCustomDraw(record, result);
    if (!OnCustomDrawSh && !OnCustomDrawShEx)
        return draw;
    PTEventGuard([&] {
        const bool isItem = (record.dwDrawStage & ptcd::ItemFlag) != 0;
        TPTTreeNode* node = isItem ? reinterpret_cast<TPTTreeNode*>(record.dwItemSpec) : nullptr;
        TPTShTreeData* data = GetDataFromNode(node);
        if (!FCustomDraw)
            FCustomDraw = CreateCustomDraw(&record, &result);
        if (OnCustomDrawShEx)
            OnCustomDrawShEx(this, *FCustomDraw, node, data);
        if (OnCustomDrawSh && (record.dwDrawStage & ptcd::ItemPrePaint) == ptcd::ItemPrePaint)
            OnCustomDrawSh(this, *FCustomDraw, node, data);
        FCustomDraw->Apply();
    });
    if (record.dwDrawStage & ptcd::PrePaint)
        result |= ptcd::NotifyItemDraw;
    return FCustomDraw.get();
}
