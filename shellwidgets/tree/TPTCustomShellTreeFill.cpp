// Filling: the root, lazy expansion, listings on a worker, sorting.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/icons/SystemIcons.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTIdListArray.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/TPTUpdateLock.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/tree/TPTFolderListing.h"
#include "shellwidgets/tree/TPTFolderScan.h"

#include <vector>

// ---- filling -------------------------------------------------------------

std::uint32_t TPTCustomShellTree::EnumFlags() const
{
    std::uint32_t flags = SHCONTF_FOLDERS;
    if (FOptions & ptstoIncludeNonFolders)
        flags |= SHCONTF_NONFOLDERS;
    if (FOptions & ptstoShowHidden)
        flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

void TPTCustomShellTree::DoFillStart()
{
    if (OnFillStart)
        OnFillStart(this);
}

void TPTCustomShellTree::DoFillComplete()
{
    if (OnFillComplete)
        OnFillComplete(this);
}

void TPTCustomShellTree::FillItems()
{
    if (FInMenuOrDrag || IsEditingCaption()) {
        FRefreshPending = true;
        return;
    }
    TPTBusyCursor busy;
    {
        TPTCounterLock sync(FSyncLock);
        SetSelected(nullptr);
        ClearNodes();
    }
    if (FChangeThread)
        FChangeThread->RemoveAllWatches();
    FWatches.clear();
    TComPtr<IShellFolder> root;
    CheckResult(ShellGetFolderFromIdList(FBaseFolder.GetIdList(), root.put()));
    FillTree(root.get(), nullptr);
    if (PCItemIDList selected = FSelectedFolder.GetIdList())
        DoSetSelectedIdList(selected);
    else if (TopCount() > 0)
        SetSelected(TopItem(0));
    Synchronize(false);
    if (FOptions & ptstoDynamicRefresh)
        InstallChangeHandlersForAllLocalDrives();
}

void TPTCustomShellTree::FillTree(IShellFolder* folder, TPTTreeNode* node)
{
    DoFillStart();
    bool completeNow = true;
    struct Complete {
        TPTCustomShellTree* tree;
        bool& now;
        ~Complete()
        {
            if (now)
                tree->DoFillComplete();
        }
    } complete{this, completeNow};

    if (!node) {
        // The root: the base folder itself, named as its parent shows it.
        PCItemIDList base = FBaseFolder.GetIdList();
        TIdListPtr rootList(CopyIdList(nullptr, base));
        if (!rootList)
            RaisePlatformError(E_OUTOFMEMORY);
        QString caption;
        if (IdListItemCount(rootList.get()) <= 1) {
            caption = ShellGetFriendlyNameFromIdList(nullptr, rootList.get(), ptfnInFolder);
        } else {
            TPTIdListArray items(rootList.get());
            TComPtr<IShellFolder> parent;
            CheckResult(ShellGetFolderFromIdList(items.GoUp(1), parent.put()));
            caption = ShellGetFriendlyNameFromIdList(parent.get(), IdListLastItem(rootList.get()),
                                                     ptfnInFolder);
        }
        node = AddChild(nullptr, caption);
        node->SetImageIndex(ShellGetIconIndex(rootList.get(), SHGFI_SMALLICON));
        node->SetSelectedIndex(ShellGetIconIndex(rootList.get(), SHGFI_SMALLICON | SHGFI_OPENICON));
        auto data = std::make_unique<TPTShTreeData>(static_cast<IPTShellTreeOwner*>(this));
        data->SetData(nullptr, ShellIMalloc(), rootList.get());
        FRecords.insert(data.get());
        node->SetData(data.release());
        DoInsertItem(node);
    }

    TPTFolderListing listing;
    switch (ListNode(node, folder, true, {}, listing)) {
    case ListingState::Pending:
        // ScanTick finishes it, or it is cancelled; either fires the end.
        completeNow = false;
        return;
    case ListingState::NotStarted:
        // Unreadable or gone: the button stays, expanding tries again.
        node->SetHasChildren(true);
        return;
    case ListingState::Listed:
        break;
    }
    AddListedNodes(node, folder, listing);
    FinishFill(node, true);
    if (Failed(listing.result) && listing.result != E_FAIL)
        RaisePlatformError(listing.result);
}

TPTCustomShellTree::ListingState
TPTCustomShellTree::ListNode(TPTTreeNode* node, IShellFolder* folder, bool keepPending,
                             const QSet<QByteArray>& known, TPTFolderListing& listing)
{
    TPTShTreeData* data = GetDataFromNode(node);
    const bool wantSubfolders = !(FOptions & ptstoIncludeNonFolders);
    // Every listing is read on a worker. A folder of the file system is also
    // opened there; the desktop and the virtual folders (Computer, Trash) are
    // opened here, from what this process knows (desktop directory, mount
    // table, the trash in the data home), and read there.
    std::unique_ptr<TPTFolderScan> scan;
    const QString path = data ? data->GetPathName() : QString();
    if (!path.isEmpty() && !IdListIsEmpty(data->GetAbsPidl())) {
        scan = std::make_unique<TPTFolderScan>(FileNameFromString(path), EnumFlags(),
                                               wantSubfolders, known);
    } else {
        TComPtr<IEnumIDList> list;
        if (!folder || Failed(folder->EnumObjects(this, EnumFlags(), list.put())) || !list)
            return ListingState::NotStarted;
        scan = std::make_unique<TPTFolderScan>(std::move(list), FileNameFromString(path),
                                               wantSubfolders, known);
    }
    const bool wait = FScanWaitMs >= 0 && !FWalkAfterPending;
    if (!wait || !scan->WaitFor(FScanWaitMs)) {
        if (!keepPending)
            return ListingState::Pending; // the scan is cancelled as it goes
        FScans[node] = std::move(scan);
        UpdateBusyCursor();
        FScanTimer.start();
        return ListingState::Pending;
    }
    if (scan->StartFailed())
        return ListingState::NotStarted;
    listing.entries = scan->TakeEntries();
    listing.result = scan->Result();
    return ListingState::Listed;
}

void TPTCustomShellTree::AddListedNodes(TPTTreeNode* node, IShellFolder* folder,
                                        TPTFolderListing& listing, bool inSortedPlace)
{
    TPTShTreeData* data = GetDataFromNode(node);
    PCItemIDList parentAbs = data ? data->GetAbsPidl() : nullptr;
    IMalloc* malloc = ShellIMalloc();
    for (const TPTFolderScan::Entry& entry : listing.entries) {
        std::uint32_t attributes = kAttributesOnThisThread;
        PCItemIDList item = entry.item;
        CheckResult(folder->GetAttributesOf(1, &item, &attributes));
        // Entries the worker did not examine get a button on trust.
        if (entry.subfolderChecked ? entry.hasSubfolder : bool(attributes & SFGAO_FOLDER))
            attributes |= SFGAO_HASSUBFOLDER;
        const int position = inSortedPlace ? SortedPosition(node, folder, item) : -1;
        CheckResult(
            AddShellNode(malloc, folder, entry.item, node, parentAbs, attributes, position));
    }
}

int TPTCustomShellTree::SortedPosition(TPTTreeNode* node, IShellFolder* folder, PCItemIDList item)
{
    int lo = 0;
    int hi = node->Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        TPTShTreeData* data = GetDataFromNode(node->Item(mid));
        const HRESULT hr = data ? folder->CompareIDs(0, data->RelPidl(), item) : E_FAIL;
        if (Failed(hr) || ShortFromResult(hr) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

HRESULT TPTCustomShellTree::AddNewShellNode(IMalloc* malloc, IShellFolder* folder,
                                            PCItemIDList item, TPTTreeNode* parentNode,
                                            PCItemIDList parentAbsIdList, int position)
{
    if (!item)
        return S_OK;
    if (!folder)
        return E_INVALIDARG;
    // Whether a folder has subfolders would mean reading it here, on a mount
    // that may not answer; a button is the safe guess, expanding tells.
    std::uint32_t attributes = kAttributesOnThisThread;
    if (const HRESULT hr = folder->GetAttributesOf(1, &item, &attributes); Failed(hr))
        return hr;
    if (attributes & SFGAO_FOLDER)
        attributes |= SFGAO_HASSUBFOLDER;
    return AddShellNode(malloc, folder, item, parentNode, parentAbsIdList, attributes, position);
}

HRESULT TPTCustomShellTree::AddShellNode(IMalloc* malloc, IShellFolder* folder, PCItemIDList item,
                                         TPTTreeNode* parentNode, PCItemIDList parentAbsIdList,
                                         std::uint32_t attributes, int position)
{
    const bool eligible = (FOptions & ptstoVirtualFolders) ||
                          (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    if (!eligible || !CanAdd(folder, parentAbsIdList, attributes, item))
        return S_OK;
    const QString caption = ShellGetFriendlyNameFromIdList(folder, item, ptfnInFolder);
    TPTTreeNode* node = AddChild(parentNode, caption, position);
    const bool folderLike = attributes & SFGAO_FOLDER;
    const bool subfolders = attributes & SFGAO_HASSUBFOLDER;
    node->SetHasChildren((FOptions & ptstoIncludeNonFolders) ? (folderLike || subfolders)
                                                             : (folderLike && subfolders));
    if (attributes & SFGAO_SHARE)
        node->SetOverlayIndex(0);
    else if (attributes & SFGAO_LINK)
        node->SetOverlayIndex(1);
    node->SetCut(attributes & SFGAO_GHOSTED);
    auto data = std::make_unique<TPTShTreeData>(static_cast<IPTShellTreeOwner*>(this));
    data->SetData(GetDataFromNode(parentNode), malloc, item);
    FRecords.insert(data.get());
    node->SetData(data.release());
    DoInsertItem(node);
    return S_OK;
}

bool TPTCustomShellTree::CanAdd(IShellFolder* folder, PCItemIDList parentAbsIdList,
                                std::uint32_t attributes, PCItemIDList item)
{
    bool allow = true;
    if (OnAddItem)
        OnAddItem(this, folder, parentAbsIdList, item, attributes, allow);
    return allow;
}

void TPTCustomShellTree::DoInsertItem(TPTTreeNode* node)
{
    FLastAdded = node;
    if (OnInsertItem)
        OnInsertItem(this, node);
}

void TPTCustomShellTree::FinishFill(TPTTreeNode* node, bool added)
{
    if (node->Count() == 0)
        node->SetHasChildren(false);
    if (added)
        SortNode(node);
    WatchNode(node);
    if (!node->Parent())
        TPTCustomTreeView::ExpandNode(node);
}

void TPTCustomShellTree::SortNode(TPTTreeNode* node)
{
    TPTShTreeData* data = GetDataFromNode(node);
    // Top-level nodes have no common folder to compare them.
    TComPtr<IShellFolder> folder = data ? data->GetThisIShf() : TComPtr<IShellFolder>();
    if (!folder)
        return;
    IShellFolder* f = folder.get();
    SortChildren(node, [this, f](const TPTTreeNode* a, const TPTTreeNode* b) {
        TPTShTreeData* da = GetDataFromNode(const_cast<TPTTreeNode*>(a));
        TPTShTreeData* db = GetDataFromNode(const_cast<TPTTreeNode*>(b));
        if (!da || !db)
            return false;
        const HRESULT hr = f->CompareIDs(0, da->RelPidl(), db->RelPidl());
        return Succeeded(hr) && ShortFromResult(hr) < 0;
    });
}

// ---- expansion and scans -------------------------------------------------

bool TPTCustomShellTree::CanExpand(TPTTreeNode* node)
{
    if (FExpandLock > 0)
        return false;
    return TPTCustomTreeView::CanExpand(node);
}

void TPTCustomShellTree::Expand(TPTTreeNode* node)
{
    PTEventGuard([&] {
        TPTCustomTreeView::Expand(node);
        TPTShTreeData* data = GetDataFromNode(node);
        if (!data || node->Count() > 0 || !node->HasChildren() || FScans.count(node))
            return;
        TPTBusyCursor busy;
        TComPtr<IShellFolder> folder = data->GetThisIShf();
        if (folder)
            FillTree(folder.get(), node);
    });
}

void TPTCustomShellTree::Collapse(TPTTreeNode* node)
{
    PTEventGuard([&] {
        TPTCustomTreeView::Collapse(node);
        // A listing still on its way is no longer wanted.
        std::vector<TPTTreeNode*> cancel;
        for (const auto& [scanning, scan] : FScans)
            if (scanning == node || scanning->HasAsParent(node))
                cancel.push_back(scanning);
        for (TPTTreeNode* n : cancel)
            CancelScan(n);
    });
}

void TPTCustomShellTree::CancelScan(TPTTreeNode* node)
{
    if (FScans.erase(node) == 0)
        return;
    UpdateBusyCursor();
    DoFillComplete();
}

void TPTCustomShellTree::CancelScansOutside(TPTTreeNode* keep)
{
    std::vector<TPTTreeNode*> cancel;
    for (const auto& [scanning, scan] : FScans)
        if (!keep || (keep != scanning && !keep->HasAsParent(scanning)))
            cancel.push_back(scanning);
    for (TPTTreeNode* n : cancel)
        CancelScan(n);
}

void TPTCustomShellTree::UpdateBusyCursor()
{
    // Over the tree only: the rest of the program stays usable meanwhile.
    if (FScans.empty()) {
        if (FScanCursorShown)
            viewport()->unsetCursor();
        FScanCursorShown = false;
        FScanTimer.stop();
    } else if (!FScanCursorShown) {
        viewport()->setCursor(Qt::BusyCursor);
        FScanCursorShown = true;
    }
}

void TPTCustomShellTree::ScanTick()
{
    std::vector<TPTTreeNode*> done;
    for (const auto& [node, scan] : FScans)
        if (scan->Done())
            done.push_back(node);
    for (TPTTreeNode* node : done) {
        auto it = FScans.find(node);
        if (it == FScans.end())
            continue;
        std::unique_ptr<TPTFolderScan> scan = std::move(it->second);
        FScans.erase(it);
        UpdateBusyCursor();
        struct Complete {
            TPTCustomShellTree* tree;
            ~Complete() { tree->DoFillComplete(); }
        } complete{this};
        TPTShTreeData* data = GetDataFromNode(node);
        TComPtr<IShellFolder> folder = data ? data->GetThisIShf() : TComPtr<IShellFolder>();
        if (!folder || scan->StartFailed()) {
            node->SetHasChildren(true);
            continue;
        }
        TPTFolderListing listing;
        listing.entries = scan->TakeEntries();
        listing.result = scan->Result();
        TPTUpdateLock<TPTCustomTreeView> update(this);
        if (node->Count() == 0) {
            AddListedNodes(node, folder.get(), listing);
            FinishFill(node, true);
        } else {
            // Nodes were added on the way to a selected folder meanwhile.
            TPTTreeNode* remembered = Selected();
            {
                // As in a refresh: a vanished selected node hands the
                // selection to its parent, not to whatever Qt picks.
                TPTCounterLock sync(FSyncLock);
                MergeListing(node, folder.get(), listing, remembered);
            }
            WatchNode(node);
            if (remembered != Selected()) {
                FImmediateSelect = true;
                SetSelected(remembered);
            }
        }
        if (Failed(listing.result) && listing.result != E_FAIL)
            RaisePlatformError(listing.result);
    }
}
