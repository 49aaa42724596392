#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessages.h"
#include "shell/fileops/PTShCreateNewFolder.h"
#include "shell/fileops/ShellFileVerbs.h"
#include "shell/icons/SystemIcons.h"
#include "shell/namespace/ItemData.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/DriveInfoCache.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/ShellShortCuts.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shell/utils/TPTIdListArray.h"
#include "shell/utils/TPTPidlList.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"
#include "shellwidgets/tree/IPTShellTreeLinkedCombo.h"
#include "shellwidgets/tree/IPTShellTreeLinkedList.h"
#include "shellwidgets/tree/TPTFolderScan.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QtDebug>

#include <vector>

namespace
{

constexpr std::uint32_t kAttributesOnThisThread =
    TPTCustomShellTree::kNodeAttributeMask & ~SFGAO_HASSUBFOLDER;

// Raises the shell's counter for as long as the object lives.
class TCounterLock
{
  public:
    explicit TCounterLock(int& counter) : m_counter(counter) { ++m_counter; }
    ~TCounterLock() { --m_counter; }
    TCounterLock(const TCounterLock&) = delete;
    TCounterLock& operator=(const TCounterLock&) = delete;

  private:
    int& m_counter;
};

// Node updates suspended for as long as the object lives.
class TUpdateLock
{
  public:
    explicit TUpdateLock(TPTCustomTreeView* tree) : m_tree(tree) { m_tree->BeginUpdate(); }
    ~TUpdateLock() { m_tree->EndUpdate(); }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

  private:
    TPTCustomTreeView* m_tree;
};

QByteArray ItemName(PCItemIDList item)
{
    ItemData::View view;
    if (!ItemData::Read(item, view) || view.kind != ItemData::KindFileSystem)
        return {};
    return QByteArray(view.text.data(), qsizetype(view.text.size()));
}

bool IsWatchedDriveType(TDriveType type)
{
    return type == TDriveType::Fixed || type == TDriveType::Remote || type == TDriveType::RamDisk;
}

} // namespace

// The objects of one folder listing; the items are freed with it.
struct TPTCustomShellTree::Listing {
    std::vector<TPTFolderScan::Entry> entries;
    bool subfoldersKnown = false; // entries say whether they have subfolders
    HRESULT result = S_OK;

    Listing() = default;
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;
    ~Listing()
    {
        for (TPTFolderScan::Entry& e : entries)
            ShellMemFree(e.item);
    }
};

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
    disconnect(FListDestroyed);
    disconnect(FComboDestroyed);
    if (FShellList)
        FShellList->SetLinkedTree(nullptr);
    FShellList = nullptr;
    FShellCombo = nullptr;
    FChangeThread.reset();
    // The base destructor cannot reach Delete of this class.
    ClearNodes();
}

void TPTCustomShellTree::InstallImages()
{
    // The shared small system image list; overlay index n is overlay image n + 1.
    SetImages([](int index) { return QIcon(ShellGetSystemImageList(ptsizSmall)->Pixmap(index)); });
    SetOverlayImages([](int index) {
        TShellImageList* list = ShellGetSystemImageList(ptsizSmall);
        return QIcon(list->Pixmap(list->OverlayImage(index + 1)));
    });
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
    // Dragging and dropping (ptstoOleDrag, ptstoOleDrop) belong to the tree's
    // drag-and-drop code, which reads Options() itself.
    if (changed & ptstoDynamicRefresh) {
        if (options & ptstoDynamicRefresh)
            InstallChangeHandlersForAllLocalDrives();
        else
            InstallChangeHandler(QString());
    }
}

void TPTCustomShellTree::SetShellList(IPTShellTreeLinkedList* list)
{
    if (list == FShellList)
        return;
    disconnect(FListDestroyed);
    if (FShellList)
        FShellList->SetLinkedTree(nullptr);
    FShellList = list;
    if (!list)
        return;
    list->SetLinkedTree(this);
    FListDestroyed =
        connect(list->LinkObject(), &QObject::destroyed, this, [this] { FShellList = nullptr; });
    list->SetFolder(FSelectedFolder.GetIdList());
}

void TPTCustomShellTree::SetShellCombo(IPTShellTreeLinkedCombo* combo)
{
    if (combo == FShellCombo)
        return;
    disconnect(FComboDestroyed);
    FShellCombo = combo;
    if (combo)
        FComboDestroyed = connect(combo->LinkObject(), &QObject::destroyed, this,
                                  [this] { FShellCombo = nullptr; });
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
        TCounterLock sync(FSyncLock);
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

    Listing listing;
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
                             const QSet<QByteArray>& known, Listing& listing)
{
    TPTShTreeData* data = GetDataFromNode(node);
    // A folder of the file system is read on a worker; the desktop and the
    // virtual folders (Computer, Trash) list what this process already knows.
    const QString path =
        data && !IdListIsEmpty(data->GetAbsPidl()) ? data->GetPathName() : QString();
    if (!path.isEmpty()) {
        auto scan = std::make_unique<TPTFolderScan>(FileNameFromString(path), EnumFlags(),
                                                    !(FOptions & ptstoIncludeNonFolders), known);
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
        listing.subfoldersKnown = !(FOptions & ptstoIncludeNonFolders);
        return ListingState::Listed;
    }
    if (!folder)
        return ListingState::NotStarted;
    TComPtr<IEnumIDList> list;
    if (Failed(folder->EnumObjects(this, EnumFlags(), list.put())) || !list)
        return ListingState::NotStarted;
    for (;;) {
        PItemIDList item = nullptr;
        std::uint32_t fetched = 0;
        const HRESULT hr = list->Next(1, &item, &fetched);
        if (hr != S_OK || fetched == 0) {
            if (Failed(hr) && hr != HRESULT_NO_MORE_ITEMS)
                listing.result = hr;
            break;
        }
        listing.entries.push_back({item, false});
    }
    return ListingState::Listed;
}

void TPTCustomShellTree::AddListedNodes(TPTTreeNode* node, IShellFolder* folder, Listing& listing)
{
    TPTShTreeData* data = GetDataFromNode(node);
    PCItemIDList parentAbs = data ? data->GetAbsPidl() : nullptr;
    IMalloc* malloc = ShellIMalloc();
    for (const TPTFolderScan::Entry& entry : listing.entries) {
        std::uint32_t attributes = kAttributesOnThisThread;
        PCItemIDList item = entry.item;
        CheckResult(folder->GetAttributesOf(1, &item, &attributes));
        if (listing.subfoldersKnown ? entry.hasSubfolder : bool(attributes & SFGAO_FOLDER))
            attributes |= SFGAO_HASSUBFOLDER;
        CheckResult(AddShellNode(malloc, folder, entry.item, node, parentAbs, attributes));
    }
}

HRESULT TPTCustomShellTree::AddNewShellNode(IMalloc* malloc, IShellFolder* folder,
                                            PCItemIDList item, TPTTreeNode* parentNode,
                                            PCItemIDList parentAbsIdList)
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
    return AddShellNode(malloc, folder, item, parentNode, parentAbsIdList, attributes);
}

HRESULT TPTCustomShellTree::AddShellNode(IMalloc* malloc, IShellFolder* folder, PCItemIDList item,
                                         TPTTreeNode* parentNode, PCItemIDList parentAbsIdList,
                                         std::uint32_t attributes)
{
    const bool eligible = (FOptions & ptstoVirtualFolders) ||
                          (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    if (!eligible || !CanAdd(folder, parentAbsIdList, attributes, item))
        return S_OK;
    const QString caption = ShellGetFriendlyNameFromIdList(folder, item, ptfnInFolder);
    TPTTreeNode* node = AddChild(parentNode, caption);
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
        Listing listing;
        listing.entries = scan->TakeEntries();
        listing.result = scan->Result();
        listing.subfoldersKnown = !(FOptions & ptstoIncludeNonFolders);
        TUpdateLock update(this);
        if (node->Count() == 0) {
            AddListedNodes(node, folder.get(), listing);
            FinishFill(node, true);
        } else {
            // Nodes were added on the way to a selected folder meanwhile.
            TPTTreeNode* remembered = Selected();
            {
                // As in a refresh: a vanished selected node hands the
                // selection to its parent, not to whatever Qt picks.
                TCounterLock sync(FSyncLock);
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

// ---- selection -----------------------------------------------------------

void TPTCustomShellTree::Change(TPTTreeNode* node)
{
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        if (FSyncLock > 0) {
            if (data) {
                TCounterLock sync(FSyncLock);
                FSelectedFolder.SetIdList(data->GetAbsPidl());
            }
            return;
        }
        CancelScansOutside(node);
        TPTCustomTreeView::Change(node);
        if (!data)
            return;
        if (FImmediateSelect || !FShellList) {
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
    TCounterLock sync(FSyncLock);
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
        TCounterLock sync(FSyncLock);
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
    TUpdateLock update(this);
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
            const HRESULT hr = folder ? AddNewShellNode(ShellIMalloc(), folder.get(), item, node,
                                                        data->GetAbsPidl())
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

// ---- refreshing ----------------------------------------------------------

void TPTCustomShellTree::RefreshNodes()
{
    if (FInMenuOrDrag || IsEditingCaption()) {
        FRefreshPending = true;
        return;
    }
    if (TopCount() == 0) {
        FillItems();
        return;
    }
    TPTBusyCursor busy;
    TUpdateLock update(this);
    DoFillStart();
    TPTTreeNode* remembered = Selected();
    {
        TCounterLock sync(FSyncLock);
        SetSelected(nullptr);
        RefreshNode(GetFirstRootLevelShellNode(), remembered);
    }
    FImmediateSelect = true;
    SetSelected(remembered);
    if (remembered)
        MakeVisible(remembered);
    DoFillComplete();
}

void TPTCustomShellTree::RefreshNode(TPTTreeNode* node, TPTTreeNode*& remembered)
{
    // Most nodes of a large folder were never filled: leave them first.
    if (!node || (node->Count() == 0 && node != remembered))
        return;
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data || FScans.count(node))
        return;
    TComPtr<IShellFolder> folder = data->GetThisIShf();
    if (!folder)
        return;
    QSet<QByteArray> known;
    known.reserve(node->Count());
    for (int i = 0; i < node->Count(); ++i)
        if (TPTShTreeData* child = GetDataFromNode(node->Item(i)))
            known.insert(ItemName(child->RelPidl()));
    Listing listing;
    // A folder that does not answer in time keeps what it shows, and so does
    // everything below it: nothing there can be read now either.
    if (ListNode(node, folder.get(), false, known, listing) != ListingState::Listed ||
        Failed(listing.result))
        return;
    MergeListing(node, folder.get(), listing, remembered);
    for (int i = 0; i < node->Count(); ++i)
        RefreshNode(node->Item(i), remembered);
}

void TPTCustomShellTree::MergeListing(TPTTreeNode* node, IShellFolder* folder, Listing& listing,
                                      TPTTreeNode*& remembered)
{
    TPTPidlList old;
    old.SetShellFolder(folder);
    old.SetCapacity(node->Count());
    for (int i = 0; i < node->Count(); ++i)
        if (TPTShTreeData* child = GetDataFromNode(node->Item(i)))
            old.AddObject(const_cast<PItemIDList>(child->RelPidl()), node->Item(i));
    old.Sort();

    // Equal entries are in both lists; what is left of the old has vanished,
    // what is left of the new is new.
    std::vector<bool> oldMatched(size_t(old.GetCount()), false);
    std::vector<bool> newMatched(listing.entries.size(), false);
    for (size_t j = listing.entries.size(); j-- > 0;) {
        int index = 0;
        if (old.BinarySearch(listing.entries[j].item, index) && !oldMatched[size_t(index)]) {
            oldMatched[size_t(index)] = true;
            newMatched[j] = true;
        }
    }
    for (int i = old.GetCount() - 1; i >= 0; --i) {
        if (oldMatched[size_t(i)])
            continue;
        auto* gone = static_cast<TPTTreeNode*>(old.GetObject(i));
        if (remembered && (remembered == gone || remembered->HasAsParent(gone)))
            remembered = gone->Parent();
        DeleteNode(gone);
    }
    Listing added;
    added.subfoldersKnown = listing.subfoldersKnown;
    for (size_t j = 0; j < listing.entries.size(); ++j)
        if (!newMatched[j]) {
            added.entries.push_back(listing.entries[j]);
            listing.entries[j].item = nullptr;
        }
    if (added.entries.empty())
        return;
    const int before = node->Count();
    AddListedNodes(node, folder, added);
    if (node->Count() != before) {
        node->SetHasChildren(true);
        SortNode(node);
    }
}

// ---- change notification -------------------------------------------------

void TPTCustomShellTree::InstallChangeHandlersForAllLocalDrives()
{
    InstallChangeHandler(QString());
    std::vector<TPTTreeNode*> stack;
    for (int i = 0; i < TopCount(); ++i)
        stack.push_back(TopItem(i));
    while (!stack.empty()) {
        TPTTreeNode* node = stack.back();
        stack.pop_back();
        if (node->Count() == 0)
            continue;
        WatchNode(node);
        for (int i = 0; i < node->Count(); ++i)
            stack.push_back(node->Item(i));
    }
}

void TPTCustomShellTree::InstallChangeHandler(const QString& path)
{
    if (!FChangeThread)
        FChangeThread = std::make_unique<TChangeHandlerThread>(this, AM_CHANGENOTIFY);
    if (path.isEmpty()) {
        FChangeThread->RemoveAllWatches();
        FWatches.clear();
        return;
    }
    AddFolderWatch(path);
}

bool TPTCustomShellTree::AddFolderWatch(const QString& path)
{
    if (!FChangeThread)
        FChangeThread = std::make_unique<TChangeHandlerThread>(this, AM_CHANGENOTIFY);
    const std::uint32_t filter = (FOptions & ptstoIncludeNonFolders)
                                     ? FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME
                                     : FILE_NOTIFY_CHANGE_DIR_NAME;
    int slot = -1;
    if (FChangeThread->AddWatch(path, filter, slot, false))
        return true;
    if (!FWatchesExhaustedSaid) {
        FWatchesExhaustedSaid = true;
        qWarning().noquote() << "Folder tree: cannot watch"
                             << FileNameForDisplay(FileNameFromString(path))
                             << "- changes there show after a refresh (F5)";
    }
    return false;
}

void TPTCustomShellTree::WatchNode(TPTTreeNode* node)
{
    if (!(FOptions & ptstoDynamicRefresh) || FWatches.contains(node))
        return;
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data)
        return;
    const QString path = data->GetPathName();
    if (path.isEmpty())
        return;
    // CD-ROMs and removable volumes are not watched: a watch would keep them busy.
    const QByteArray bytes = FileNameFromString(path);
    if (!IsWatchedDriveType(DriveTypeOfPath(CurrentMountTable(), bytes)))
        return;
    if (AddFolderWatch(path))
        FWatches.insert(node, bytes);
}

QList<QByteArray> TPTCustomShellTree::WatchedFolders() const
{
    return FWatches.values();
}

void TPTCustomShellTree::DeviceChangeDetected(TPTDeviceChangeHandler*, const TMessage& message)
{
    if (message.WParam != DBT_DEVICEARRIVAL && message.WParam != DBT_DEVICEREMOVECOMPLETE)
        return;
    FlushDriveInfoCache();
    LockFlushDriveInfoCache();
    struct Unlock {
        ~Unlock() { UnlockFlushDriveInfoCache(); }
    } unlock;
    RefreshNodes();
}

bool TPTCustomShellTree::event(QEvent* event)
{
    const int type = int(event->type());
    if (type == AM_CHANGENOTIFY) {
        PTEventGuard([&] {
            if (FIgnoreNextChange || FInMenuOrDrag) {
                FIgnoreNextChange = false;
                return;
            }
            // A burst of changes gives one refresh after its last notice.
            FDelayTag = 2;
            FDelayTimer.start(hasFocus() ? kRefreshDelayFocusedMs : kRefreshDelayMs);
        });
        return true;
    }
    if (type == AM_DEFERREDFILL) {
        PTEventGuard([&] {
            if ((FOptions & ptstoAutoFill) && TopCount() == 0) {
                FillItems();
                if (FShellList)
                    FShellList->SetFolder(FSelectedFolder.GetIdList());
            }
        });
        return true;
    }
    return TPTCustomTreeView::event(event);
}

// ---- editing, keys, commands ---------------------------------------------

bool TPTCustomShellTree::CanEdit(TPTTreeNode* node)
{
    bool allow = false;
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        allow = (!data || data->GetEditable()) && TPTCustomTreeView::CanEdit(node);
    });
    return allow;
}

void TPTCustomShellTree::Edit(TPTTreeNode* node, QString& text)
{
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        if (!data) {
            TPTCustomTreeView::Edit(node, text);
            return;
        }
        if (OnEdited)
            OnEdited(this, node, text);
        // An unchanged caption renames nothing: a name that is not UTF-8
        // shows substitutes, which must not become the new name.
        if (text == node->Text() || text.isEmpty())
            return;
        TPTBusyCursor busy;
        TComPtr<IShellFolder> parent = data->GetParentIShf();
        if (!parent)
            return;
        FIgnoreNextChange = true;
        TCounterLock sync(FSyncLock);
        // The whole name goes to the folder: cutting it would name another file.
        TIdListPtr newItem;
        if (Failed(parent->SetNameOf(this, data->RelPidl(), text, SHGDN_INFOLDER, newItem.put())) ||
            !newItem) {
            FIgnoreNextChange = false;
            return;
        }
        FlushBelow(node);
        data->SetRelPidl(newItem.get());
        node->SetText(ShellGetFriendlyNameFromIdList(parent.get(), newItem.get(), ptfnInFolder));
        if (FWatches.contains(node))
            FWatches[node] = FileNameFromString(data->GetPathName());
        if (node == Selected()) {
            FSelectedFolder.SetIdList(data->GetAbsPidl());
            if (FShellList)
                FShellList->SetFolder(data->GetAbsPidl());
            if (FShellCombo)
                FShellCombo->SetSelectedFolder(data->GetAbsPidl());
        }
    });
}

void TPTCustomShellTree::EditingEnded()
{
    TPTCustomTreeView::EditingEnded();
    // A refresh asked for while the caption was edited runs once the editor
    // is gone.
    QTimer::singleShot(0, this, [this] {
        PTEventGuard([this] {
            if (FRefreshPending && !IsEditingCaption() && !FInMenuOrDrag) {
                FRefreshPending = false;
                RefreshNodes();
            }
        });
    });
}

void TPTCustomShellTree::FlushBelow(TPTTreeNode* node)
{
    for (int i = 0; i < node->Count(); ++i) {
        TPTTreeNode* child = node->Item(i);
        if (TPTShTreeData* data = GetDataFromNode(child))
            data->Flush();
        FlushBelow(child);
    }
    if (TPTShTreeData* data = GetDataFromNode(node))
        data->Flush();
}

bool TPTCustomShellTree::CreateNewFolder(bool)
{
    TPTTreeNode* node = Selected();
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data)
        return false;
    const QString path = data->GetPathName();
    if (path.isEmpty())
        return false;
    FIgnoreNextChange = true;
    QString name;
    if (!PTShCreateNewFolder(path, name)) {
        FIgnoreNextChange = false;
        return false;
    }
    // The folder exists once the call returns: no need to wait for its notice.
    RefreshNodes();
    node = Selected();
    if (!node)
        return true;
    TPTCustomTreeView::ExpandNode(node);
    for (int i = 0; i < node->Count(); ++i)
        if (node->Item(i)->Text() == name) {
            EditCaption(node->Item(i));
            break;
        }
    return true;
}

void TPTCustomShellTree::DoCommandForNode(TPTTreeNode* node, const QString& verb)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data || !data->ParentData())
        return;
    TComPtr<IShellFolder> parent = data->GetParentIShf();
    if (!parent)
        return;
    const QList<PCItemIDList> items{data->RelPidl()};
    if (verb == QLatin1String("cut")) {
        FileVerbCut(parent.get(), data->ParentData()->GetAbsPidl(), items);
    } else if (verb == QLatin1String("copy")) {
        FileVerbCopy(parent.get(), data->ParentData()->GetAbsPidl(), items);
    } else if (verb == QLatin1String("paste")) {
        FileVerbPaste(FileNameFromString(data->GetPathName()), this);
        RefreshNodes();
    } else if (verb == QLatin1String("delete")) {
        FileVerbDelete(parent.get(), items, this);
        RefreshNodes();
    }
}

bool TPTCustomShellTree::KeyDown(QKeyEvent* event)
{
    bool consumed = false;
    PTEventGuard([&] {
        if (TPTCustomTreeView::KeyDown(event)) {
            consumed = true;
            return;
        }
        if (!(FOptions & ptstoDefaultKeyHandling) || IsEditingCaption())
            return;
        const TShortCut key = ShortCutFromKeyEvent(*event);
        TPTTreeNode* node = Selected();
        consumed = true;
        if (key == ShellShortCut(TShKey::Edit)) {
            if (node)
                EditCaption(node);
        } else if (key == ShellShortCut(TShKey::Refresh)) {
            RefreshNodes();
        } else if (key == ShellShortCut(TShKey::Cut)) {
            DoCommandForNode(node, QStringLiteral("cut"));
        } else if (key == ShellShortCut(TShKey::Copy)) {
            DoCommandForNode(node, QStringLiteral("copy"));
        } else if (key == ShellShortCut(TShKey::Paste)) {
            DoCommandForNode(node, QStringLiteral("paste"));
        } else if (key == ShellShortCut(TShKey::Delete) ||
                   key == (ShellShortCut(TShKey::Delete) | scShift)) {
            DoCommandForNode(node, QStringLiteral("delete"));
        } else {
            consumed = false;
        }
    });
    return consumed;
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
