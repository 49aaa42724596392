// Refreshing: merging listings into the filled part, watches and device changes.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessages.h"
#include "shell/namespace/ItemData.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/utils/DriveInfoCache.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shell/utils/TPTPidlList.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/TPTUpdateLock.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/tree/TPTFolderListing.h"

#include <QtDebug>

#include <vector>

namespace
{

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
    TPTUpdateLock<TPTCustomTreeView> update(this);
    DoFillStart();
    TPTTreeNode* remembered = Selected();
    {
        TPTCounterLock sync(FSyncLock);
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
    TPTFolderListing listing;
    // A folder that does not answer in time keeps what it shows, and so does
    // everything below it: nothing there can be read now either.
    if (ListNode(node, folder.get(), false, known, listing) != ListingState::Listed ||
        Failed(listing.result))
        return;
    MergeListing(node, folder.get(), listing, remembered);
    for (int i = 0; i < node->Count(); ++i)
        RefreshNode(node->Item(i), remembered);
}

void TPTCustomShellTree::MergeListing(TPTTreeNode* node, IShellFolder* folder,
                                      TPTFolderListing& listing, TPTTreeNode*& remembered)
{
    TPTPidlList old;
    old.SetShellFolder(folder);
    old.SetCapacity(node->Count());
    for (int i = 0; i < node->Count(); ++i)
        if (TPTShTreeData* child = GetDataFromNode(node->Item(i)))
            old.AddObject(const_cast<PItemIDList>(child->RelPidl()), node->Item(i));
    TPTPidlList listed;
    listed.SetCapacity(int(listing.entries.size()));
    for (std::size_t j = 0; j < listing.entries.size(); ++j)
        listed.AddObject(listing.entries[j].item, reinterpret_cast<void*>(j));

    // What is left of the old has vanished, what is left of the listed is new.
    old.RemoveCommonEntries(listed);
    for (int i = old.GetCount() - 1; i >= 0; --i) {
        auto* gone = static_cast<TPTTreeNode*>(old.GetObject(i));
        if (remembered && (remembered == gone || remembered->HasAsParent(gone)))
            remembered = gone->Parent();
        DeleteNode(gone);
    }
    TPTFolderListing added;
    for (int i = 0; i < listed.GetCount(); ++i) {
        const auto j = reinterpret_cast<std::size_t>(listed.GetObject(i));
        added.entries.push_back(listing.entries[j]);
        listing.entries[j].item = nullptr;
    }
    if (added.entries.empty())
        return;
    // A few new ones find their places among the sorted children; many are
    // appended and sorted with the rest.
    const int before = node->Count();
    const bool fewNew = added.entries.size() * 16 < size_t(before);
    AddListedNodes(node, folder, added, fewNew);
    if (node->Count() != before) {
        node->SetHasChildren(true);
        if (!fewNew)
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
