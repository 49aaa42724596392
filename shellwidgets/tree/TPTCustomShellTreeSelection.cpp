// Selection: the selected folder, the linked controls and the delayed update.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "shell/PTEventGuard.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTIdListArray.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/TPTUpdateLock.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellList.h"

#include <QApplication>
#include <QMouseEvent>

// ---- selection -----------------------------------------------------------

void TPTCustomShellTree::Change(TPTTreeNode* node)
{
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        if (FSyncLock > 0) {
            if (data) {
                TPTCounterLock sync(FSyncLock);
                FSelectedFolder.SetIdList(data->GetAbsPidl());
            }
            return;
        }
        CancelScansOutside(node);
        TPTCustomTreeView::Change(node);
        if (!data)
            return;
        if (FImmediateSelect || !FShellList) {
            // A keyboard move still waiting is overtaken by this one.
            if (FDelayTag == 1) {
                FDelayTimer.stop();
                FDelayTag = 0;
            }
            ApplySelection(node);
            FImmediateSelect = false;
        } else {
            FDelayTag = 1;
            FDelayTimer.start(kSelectDelayMs);
        }
    });
}

void TPTCustomShellTree::ApplySelection(TPTTreeNode* node)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data)
        return;
    TPTCounterLock sync(FSyncLock);
    FSelectedFolder.SetIdList(data->GetAbsPidl());
    if (FShellList)
        FShellList->TreeChanged(data);
    if (FShellCombo)
        FShellCombo->TreeChanged(data);
}

void TPTCustomShellTree::MouseDown(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FImmediateSelect = true;
    TPTCustomTreeView::MouseDown(event);
}

void TPTCustomShellTree::BaseFolderChanged()
{
    {
        TPTCounterLock sync(FSyncLock);
        FSelectedFolder.Clear();
    }
    if (FOptions & ptstoAutoFill) {
        FImmediateSelect = true;
        FillItems();
    }
}

void TPTCustomShellTree::SetSelectedFolder(PCItemIDList absIdList)
{
    // While the tree itself moves the linked controls, a folder handed in (by
    // the linked list) only points the list there.
    if (FSyncLock > 0) {
        if (FShellList)
            FShellList->SetFolder(absIdList);
        return;
    }
    FSelectedFolder.SetIdList(absIdList);
}

void TPTCustomShellTree::SelectedFolderChanged()
{
    if (FSyncLock > 0)
        return;
    if (TopCount() > 0)
        DoSetSelectedIdList(FSelectedFolder.GetIdList());
}

void TPTCustomShellTree::DoSetSelectedIdList(PCItemIDList wantedList)
{
    if (FSyncLock > 0)
        return;
    // The list may be SelectedFolder's own, which the walk changes.
    TIdListPtr copy(CopyIdList(nullptr, wantedList));
    PCItemIDList absIdList = wantedList ? copy.get() : nullptr;
    FImmediateSelect = true;
    TPTUpdateLock<TPTCustomTreeView> update(this);
    TPTTreeNode* node = GetFirstRootLevelShellNode();
    if (!node)
        return;
    if (IdListIsEmpty(absIdList)) {
        SetSelected(node);
        return;
    }
    const int baseDepth = IdListItemCount(FBaseFolder.GetIdList());
    const int depth = IdListItemCount(absIdList);
    if (depth <= baseDepth) {
        SetSelected(node);
        TPTCustomTreeView::ExpandNode(node);
        return;
    }
    struct WalkEnd {
        bool& flag;
        ~WalkEnd() { flag = false; }
    } walkEnd{FWalkAfterPending};
    TPTCustomTreeView::ExpandNode(node);
    if (FScans.count(node))
        FWalkAfterPending = true;
    TPTIdListArray wanted(absIdList);
    for (int i = baseDepth; i < depth; ++i) {
        PItemIDList item = wanted.GetItem(i);
        TPTTreeNode* found = FindNodeWithIdList(node, item);
        if (!found) {
            TPTShTreeData* data = GetDataFromNode(node);
            TComPtr<IShellFolder> folder = data ? data->GetThisIShf() : TComPtr<IShellFolder>();
            FLastAdded = nullptr;
            // In its place among the others, as a refresh would put it.
            const HRESULT hr = folder ? AddNewShellNode(ShellIMalloc(), folder.get(), item, node,
                                                        data->GetAbsPidl(),
                                                        SortedPosition(node, folder.get(), item))
                                      : E_FAIL;
            found = Succeeded(hr) ? FLastAdded : nullptr;
            if (!found) {
                QApplication::beep();
                break;
            }
        }
        const bool last = i == depth - 1;
        if (!last || (FShellList && FShellList->HideFoldersWhenLinkedToTree()))
            TPTCustomTreeView::ExpandNode(found);
        // Below a folder that did not answer in time nothing will: the rest
        // of the way does not wait again.
        if (FScans.count(found))
            FWalkAfterPending = true;
        node = found;
    }
    SetSelected(node);
    MakeVisible(node);
}

TPTTreeNode* TPTCustomShellTree::FindNodeWithIdList(TPTTreeNode* node, PCItemIDList item)
{
    if (!node)
        return GetFirstRootLevelShellNode();
    TPTShTreeData* data = GetDataFromNode(node);
    TComPtr<IShellFolder> folder = data ? data->GetThisIShf() : TComPtr<IShellFolder>();
    if (!folder)
        return nullptr;
    for (int i = 0; i < node->Count(); ++i) {
        TPTTreeNode* child = node->Item(i);
        TPTShTreeData* childData = GetDataFromNode(child);
        if (!childData)
            continue;
        const HRESULT hr = folder->CompareIDs(0, childData->RelPidl(), item);
        if (Succeeded(hr) && ShortFromResult(hr) == 0)
            return child;
    }
    return nullptr;
}

void TPTCustomShellTree::GoUp(int levels)
{
    TPTTreeNode* node = Selected();
    if (!node)
        return;
    for (int i = 0; i < levels && node->Parent(); ++i)
        node = node->Parent();
    FImmediateSelect = true;
    SetSelected(node);
    MakeVisible(node);
}

void TPTCustomShellTree::TimerElapsed()
{
    FDelayTimer.stop();
    const int tag = FDelayTag;
    FDelayTag = 0;
    if (tag == 1)
        ApplySelection(Selected());
    else if (tag == 2)
        RefreshNodes();
}

void TPTCustomShellTree::Synchronize(bool alsoLinked)
{
    if (alsoLinked) {
        if (FShellList)
            FShellList->Synchronize(false);
        if (FShellCombo)
            FShellCombo->Synchronize(false);
    }
    if (FDelayTimer.isActive())
        TimerElapsed();
}
