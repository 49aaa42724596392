#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/EAbort.h"
#include "platform/EPlatformError.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessages.h"
#include "shell/Uptshconsts.h"
#include "shell/icons/SystemIcons.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/TItemOrder.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/DriveInfoCache.h"
#include "shell/utils/FileMask.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shell/utils/TPTPidlList.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/images/TPTSystemImageList.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/list/ColumnWidthStore.h"
#include "shellwidgets/list/ExplorerColumnsBlob.h"
#include "shellwidgets/list/TPTShellListEnumJob.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>

int TPTCustomShellList::ListingWaitMs = 200;

namespace
{

constexpr std::uint32_t kWatchFileAndFolderNames = 3;

bool IsNotFound(HRESULT code)
{
    return code == HResultFromWin32(2) || code == HResultFromWin32(3);
}

// A name as one line of text: a line break or another control character in a
// file name (any byte but '/' and NUL is allowed) would break the row.
QString LegibleCaption(QString name)
{
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QChar::ReplacementCharacter;
    return name;
}

// The entry name of a one-item file-system list, else nothing.
std::optional<std::string_view> EntryNameOf(PCItemIDList relative)
{
    ItemData::View view;
    if (!ItemData::Read(relative, view) || view.kind != ItemData::KindFileSystem ||
        !IdListIsEmpty(IdListNext(relative)))
        return std::nullopt;
    return view.text;
}

} // namespace

// A list of the first `count` items of idList, from the shell allocator.
PItemIDList TPTCustomShellList::IdListPrefix(PCItemIDList idList, int count)
{
    const QByteArray bytes = IdListToBytes(idList);
    qsizetype offset = 0;
    for (int i = 0; i < count && offset + 2 <= bytes.size(); ++i)
        offset += quint8(bytes[offset]) | (quint8(bytes[offset + 1]) << 8);
    return IdListFromBytes(ShellIMalloc(), bytes.left(offset) + QByteArray(2, '\0'));
}

TPTCustomShellList::TPTCustomShellList(QWidget* parent)
    : TPTCustomListView(parent), FFolder([this](TPTShellLocator*) { LocatorChanged(); }),
      FRefreshTimer(new QTimer(this))
{
    InstallShellWidgetPresenters();
    FRefreshTimer->setSingleShot(true);
    connect(FRefreshTimer, &QTimer::timeout, this,
            [this] { PTEventGuard([this] { TimerElapsed(); }); });
    InitImageLists();
    PTDeviceChangeHandler()->Add(this, [this](TPTDeviceChangeHandler*, const TMessage& message) {
        PTEventGuard([&] { DeviceChangeDetected(message.WParam); });
    });
}

TPTCustomShellList::~TPTCustomShellList()
{
    if (QCoreApplication::instance())
        PTDeviceChangeHandler()->Remove(this);
    SetShellTree(nullptr);
    SetShellCombo(nullptr);
    AbandonListing(false);
    if (FSaveColumnWidths && ColumnCount() > 0)
        SaveWidthsToStore();
    FChangeThread.reset();
    // The teardown rule: every record passes through this class's Delete.
    {
        TPTCounterLock sync(FSyncLock);
        DestroyItems();
    }
    ShellMemFree(FFolderIdList);
}

// ---- folder, options, masks ----------------------------------------------

void TPTCustomShellList::LocatorChanged()
{
    // Fires also when the fill fails; a handler's error must not end the
    // unwinding of another one.
    const auto fire = qScopeGuard([this] { PTEventGuard([this] { FolderChanged(); }); });
    if (FSyncLock <= 0) {
        TPTCounterLock sync(FSyncLock);
        if (FShellTree)
            FShellTree->DoSetSelectedIdList(FFolder.GetIdList());
        else if (FShellCombo)
            FShellCombo->SetSelectedFolder(FFolder.GetIdList());
    }
    FillItems();
}

void TPTCustomShellList::SetOptions(TPTShellListOptions options)
{
    const TPTShellListOptions old = FOptions;
    FOptions = options;
    if (!FWindowCreated)
        return;
    SetDropsAccepted(options.Has(ptsloOleDrop));
    if (old.Has(ptsloDynamicRefresh) != options.Has(ptsloDynamicRefresh)) {
        if (options.Has(ptsloDynamicRefresh))
            InstallChangeHandler();
        else
            StopWatching();
    }
    // Hiding folders changes which shown items qualify, which a refresh (it
    // looks only at what came and went) would not notice: fill again.
    if (old.Has(ptsloHideFoldersWhenLinkedToTree) != options.Has(ptsloHideFoldersWhenLinkedToTree))
        FillItems();
    else if (old.Has(ptsloShowHidden) != options.Has(ptsloShowHidden))
        RefreshItems();
}

void TPTCustomShellList::SetFileFilter(const QString& filter)
{
    if (filter == FFileFilter)
        return;
    FFileFilter = filter;
    FFilterMasks = SplitFileFilter(filter);
    if (FOptions.Has(ptsloAutoFill))
        FillItems();
}

void TPTCustomShellList::FilterPreApply()
{
    // "", "*" and "*.*" hide nothing: no name needs to be looked at.
    const bool everything = FFileFilter.isEmpty() || FFileFilter == QLatin1String("*") ||
                            FFileFilter == QLatin1String("*.*");
    FFilterActive = !FFolderPath.isEmpty() && !everything;
}

bool TPTCustomShellList::FilterApply(const QString& name, std::uint32_t attributes)
{
    if (attributes & SFGAO_FOLDER)
        return true;
    const QByteArray bytes = FileNameFromString(name);
    return AnyFileMaskMatches(FFilterMasks,
                              std::string_view(bytes.constData(), size_t(bytes.size())));
}

void TPTCustomShellList::FilterPostApply()
{
    FFilterActive = false;
}

std::uint32_t TPTCustomShellList::EnumFlags() const
{
    return SHCONTF_FOLDERS | SHCONTF_NONFOLDERS |
           (FOptions.Has(ptsloShowHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
}

// ---- full fill -------------------------------------------------------------

void TPTCustomShellList::FillItems()
{
    if (!FWindowCreated)
        return;
    if (FInMenuOrDrag || IsEditing()) {
        FRefreshPending = true;
        return;
    }
    AbandonListing(true);
    TPTBusyCursor busy;
    BeginUpdate();
    ClearItems();
    EndUpdate();
    TComPtr<IShellFolder> folder;
    CheckResult(ShellGetFolderFromIdList(FFolder.GetIdList(), folder.put()));
    FillList(folder.get(), FFolder.GetIdList());
}

void TPTCustomShellList::FillList(IShellFolder* folder, PCItemIDList absolute)
{
    FillStart();
    PItemIDList previous = FFolderIdList;
    FFolderIdList = CopyIdList(ShellIMalloc(), absolute);
    try {
        if (!FMalloc)
            CheckResult(SHGetMalloc(FMalloc.put()));
        FFolderShellFolder = TComPtr<IShellFolder>::share(folder);
        FFolderPath = ShellGetPathFromIdList(FFolderIdList);
        FFolderDetails = {};
        FDetailsFetched = false;
        InitColumns(GetCurrentFolderIShellDetails());
    } catch (...) {
        ShellMemFree(std::exchange(FFolderIdList, previous));
        FillComplete();
        throw;
    }
    FPreviousIdList = previous;
    StartListing(TListingKind::Fill, folder);
}

void TPTCustomShellList::StartListing(TListingKind kind, IShellFolder* folder)
{
    // Only a folder with a path can hang (a network mount); the namespace's
    // virtual folders answer from memory and are listed here and now.
    const bool onWorker = !FFolderPath.isEmpty() && !IdListIsEmpty(FFolderIdList);
    FListingKind = kind;
    FListingJob =
        TPTShellListEnumJob::Start(folder, window(), EnumFlags(), this, AM_LISTINGDONE, onWorker);
    if (!onWorker || (ListingWaitMs >= 0 && FListingJob->WaitFor(ListingWaitMs))) {
        ListingEnded();
        return;
    }
    FListingCursor = std::make_unique<TPTBusyCursor>();
}

void TPTCustomShellList::ListingEnded()
{
    std::shared_ptr<TPTShellListEnumJob> job = std::move(FListingJob);
    FListingJob.reset();
    const TListingKind kind = std::exchange(FListingKind, TListingKind::None);
    FListingCursor.reset();
    job->Cancel(); // its end is handled here: nothing more to post
    if (kind == TListingKind::Fill)
        FinishFill(*job, std::exchange(FPreviousIdList, nullptr));
    else
        FinishRefresh(*job, kind == TListingKind::NameRefresh);
    if (std::exchange(FRefreshAgain, false))
        RefreshItems();
}

void TPTCustomShellList::AbandonListing(bool notify)
{
    if (!FListingJob)
        return;
    FListingJob->Cancel();
    FListingJob.reset();
    FListingKind = TListingKind::None;
    FListingCursor.reset();
    FRefreshAgain = false;
    ShellMemFree(std::exchange(FPreviousIdList, nullptr));
    if (notify)
        FillComplete();
}

void TPTCustomShellList::FinishFill(TPTShellListEnumJob& job, PItemIDList previousIdList)
{
    std::vector<PItemIDList> items = job.TakeItems();
    std::size_t next = 0;
    bool updating = false;
    bool vanished = false;
    FilterPreApply();
    try {
        if (Failed(job.StartResult())) {
            // The folder shown until now was deleted or unmounted (an empty
            // list is filled again, not refreshed): show what is left of its
            // path, as a refresh does.
            vanished = IsNotFound(job.StartResult()) && previousIdList &&
                       CompareAbsIdLists(previousIdList, FFolderIdList) == 0;
            throw ListingError(job.StartResult());
        }
        const HRESULT end = job.EndResult();
        if (end == E_FAIL)
            throw EAbort();
        if (Failed(end) && end != HRESULT_NO_MORE_ITEMS)
            RaisePlatformError(end);
        BeginUpdate();
        updating = true;
        FExcludedNames.clear();
        SetAllocBy(int(items.size()));
        for (; next < items.size(); ++next) {
            PItemIDList relative = std::exchange(items[next], nullptr);
            std::uint32_t attributes = 0;
            if (!ShouldInclude(FFolderIdList, relative, attributes)) {
                NoteExcluded(relative);
                ShellMemFree(relative);
                continue;
            }
            auto* data = new TPTShListData(this);
            data->SetData(relative);
            AddItemWithData(data, attributes);
        }
        SortList();
        if (ItemCount() > 0)
            SetItemFocused(0);
        EndUpdate();
    } catch (...) {
        // The list stays empty and keeps naming the folder it showed before.
        ShellMemFree(std::exchange(FFolderIdList, previousIdList));
        for (; next < items.size(); ++next)
            ShellMemFree(items[next]);
        if (updating) {
            ClearItems();
            EndUpdate();
        }
        FilterPostApply();
        FillComplete();
        if (!vanished)
            throw;
    }
    if (vanished) {
        GoToNearestExistingAncestor();
        return;
    }
    ShellMemFree(previousIdList);
    FilterPostApply();
    FillComplete();
    if (FOptions.Has(ptsloDynamicRefresh))
        InstallChangeHandler();
}

void TPTCustomShellList::AddItemWithData(TPTShListData* data, std::uint32_t attributes)
{
    FPendingItemData = {data, attributes, FFolderDetails.get() != nullptr};
    try {
        AddItem();
    } catch (...) {
        if (FPendingItemData.data)
            delete std::exchange(FPendingItemData.data, nullptr);
        throw;
    }
}

bool TPTCustomShellList::ShouldInclude(PCItemIDList first, PCItemIDList relative,
                                       std::uint32_t& attributes)
{
    attributes = kIncludeAttributes;
    PCItemIDList item = relative;
    if (!FFolderShellFolder || Failed(FFolderShellFolder->GetAttributesOf(1, &item, &attributes)))
        attributes = 0;
    if (!FOptions.Has(ptsloNonFilesystemAncestors) &&
        !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
        return false;
    if (FOptions.Has(ptsloHideFoldersWhenLinkedToTree) && FShellTree &&
        (attributes & SFGAO_FOLDER) && (attributes & SFGAO_FILESYSTEM))
        return false;
    return CanAdd(FFolderShellFolder.get(), first, relative, attributes);
}

bool TPTCustomShellList::CanAdd(IShellFolder* folder, PCItemIDList first, PCItemIDList relative,
                                std::uint32_t attributes)
{
    bool allow = true;
    if (FFilterActive && !(attributes & SFGAO_FOLDER) && folder) {
        TStrRet name;
        QString fileName;
        if (Succeeded(
                folder->GetDisplayNameOf(relative, SHGDN_INFOLDER | SHGDN_FORPARSING, &name))) {
            fileName = StrretToString(relative, name);
            StrretFree(name);
        }
        allow = FilterApply(fileName.mid(fileName.lastIndexOf(u'/') + 1), attributes);
    }
    if (allow && OnAddItem)
        OnAddItem(this, folder, first, relative, attributes, allow);
    return allow;
}

bool TPTCustomShellList::AddNewShellItem(PCItemIDList absolute, PItemIDList relative)
{
    TIdListPtr owned(relative);
    std::uint32_t attributes = 0;
    if (!ShouldInclude(absolute, relative, attributes))
        return false;
    auto* data = new TPTShListData(this);
    data->SetData(owned.release());
    AddItemWithData(data, attributes);
    return true;
}

void TPTCustomShellList::NoteExcluded(PCItemIDList relative)
{
    if (const auto name = EntryNameOf(relative))
        FExcludedNames.emplace_back(*name);
}

// ---- incremental refresh ---------------------------------------------------

void TPTCustomShellList::RefreshItems()
{
    if (FInMenuOrDrag || IsEditing()) {
        FRefreshPending = true;
        return;
    }
    if (FListingJob) {
        // A running fill brings everything; a running refresh goes once more.
        if (FListingKind == TListingKind::Refresh)
            FRefreshAgain = true;
        return;
    }
    if (ItemCount() == 0 || !FFolderShellFolder) {
        FillItems();
        return;
    }
    TPTBusyCursor busy;
    FillStart();
    // A folder with a path is refreshed by its names: what the list shows and
    // what it left out are known and cost no system call.
    if (!FFolderPath.isEmpty() && !IdListIsEmpty(FFolderIdList)) {
        // The worker reads the directory while the known names are collected.
        FListingKind = TListingKind::NameRefresh;
        FListingJob = TPTShellListEnumJob::StartNameListing(FileNameFromString(FFolderPath),
                                                            EnumFlags(), this, AM_LISTINGDONE);
        std::vector<std::string> known;
        known.reserve(size_t(ItemCount()) + FExcludedNames.size());
        FKnownRecords.clear();
        FKnownRecords.reserve(size_t(ItemCount()));
        FKnownSerial = FItemSerial;
        for (int row = 0; row < ItemCount(); ++row)
            if (TPTShListData* data = GetShListData(row))
                if (const auto name = EntryNameOf(data->RelativeIdList())) {
                    known.emplace_back(*name);
                    FKnownRecords.push_back(data);
                }
        known.insert(known.end(), FExcludedNames.begin(), FExcludedNames.end());
        FListingJob->SetKnownNames(std::move(known));
        if (ListingWaitMs >= 0 && FListingJob->WaitFor(ListingWaitMs))
            ListingEnded();
        else
            FListingCursor = std::make_unique<TPTBusyCursor>();
        return;
    }
    StartListing(TListingKind::Refresh, FFolderShellFolder.get());
}

EPlatformError TPTCustomShellList::ListingError(HRESULT code) const
{
    // One message for the folder, naming it: a bare "Permission denied"
    // would not say what was denied.
    return EPlatformError(
        code, QStringLiteral("\"%1\"\n\n%2")
                  .arg(FileNameForDisplay(FileNameFromString(FFolderPath)), ResultCodeText(code)));
}

bool TPTCustomShellList::ListingFailed(TPTShellListEnumJob& job)
{
    if (Failed(job.StartResult())) {
        // The folder was deleted or unmounted: show what is left of its path.
        if (IsNotFound(job.StartResult())) {
            GoToNearestExistingAncestor();
            return true;
        }
        BeginUpdate();
        ClearItems();
        EndUpdate();
        throw ListingError(job.StartResult());
    }
    // A listing cut short would make the rest of the list look deleted.
    return Failed(job.EndResult()) && job.EndResult() != HRESULT_NO_MORE_ITEMS;
}

void TPTCustomShellList::FinishRefresh(TPTShellListEnumJob& job, bool byNames)
{
    const auto done = qScopeGuard([this] {
        PTEventGuard([this] {
            FilterPostApply();
            FillComplete();
        });
    });
    std::vector<TIdListPtr> fresh;
    for (PItemIDList item : job.TakeItems())
        fresh.emplace_back(item);
    const std::vector<bool> present = job.TakePresent();
    if (ListingFailed(job))
        return;
    FilterPreApply();
    if (byNames)
        ApplyNameRefresh(fresh, present);
    else
        ApplyMergeRefresh(fresh);
}

void TPTCustomShellList::ApplyNameRefresh(std::vector<TIdListPtr>& fresh,
                                          const std::vector<bool>& present)
{
    const std::vector<const TPTShListData*> records = std::exchange(FKnownRecords, {});
    // Items came or went while the names were read: the answer no longer fits.
    if (FItemSerial != FKnownSerial || present.size() < records.size()) {
        FRefreshAgain = true;
        return;
    }
    // The known names were those of these records, then the left-out ones.
    std::unordered_set<const void*> vanished;
    for (size_t i = 0; i < records.size(); ++i)
        if (!present[i])
            vanished.insert(records[i]);
    std::vector<int> vanishedRows;
    if (!vanished.empty())
        for (int row = 0; row < ItemCount(); ++row)
            if (vanished.count(Item(row).Data))
                vanishedRows.push_back(row);
    const size_t known = records.size();
    // Sizes and times are read again when an item is next shown.
    ++FTextGeneration;
    std::vector<std::string> stillExcluded;
    for (size_t i = 0; i < FExcludedNames.size(); ++i)
        if (known + i < present.size() && present[known + i])
            stillExcluded.push_back(std::move(FExcludedNames[i]));
    FExcludedNames = std::move(stillExcluded);

    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    for (auto it = vanishedRows.rbegin(); it != vanishedRows.rend(); ++it)
        DeleteItem(*it);
    SetAllocBy(int(fresh.size()));
    for (TIdListPtr& item : fresh) {
        PItemIDList relative = item.release();
        const std::optional<std::string_view> name = EntryNameOf(relative);
        const std::string nameCopy = name ? std::string(*name) : std::string();
        TIdListPtr absolute(ConcatIdLists(ShellIMalloc(), FFolderIdList, relative));
        if (!AddNewShellItem(absolute.get(), relative) && name)
            FExcludedNames.push_back(nameCopy);
    }
}

void TPTCustomShellList::ApplyMergeRefresh(std::vector<TIdListPtr>& fresh)
{
    // The lists' objects are row numbers and indexes into fresh.
    const auto asObject = [](std::size_t n) { return reinterpret_cast<void*>(n); };
    const auto asIndex = [](void* object) { return reinterpret_cast<std::size_t>(object); };
    TPTPidlList shown;
    // Raw bytes tell entries of a folder with a path apart; elsewhere the
    // folder decides what is the same item.
    shown.SetShellFolder(FFolderPath.isEmpty() ? FFolderShellFolder.get() : nullptr);
    shown.SetCapacity(ItemCount());
    for (int row = 0; row < ItemCount(); ++row)
        if (TPTShListData* data = GetShListData(row))
            shown.AddObject(const_cast<PItemIDList>(data->RelativeIdList()),
                            asObject(std::size_t(row)));
    TPTPidlList listed;
    listed.SetCapacity(int(fresh.size()));
    for (std::size_t i = 0; i < fresh.size(); ++i)
        listed.AddObject(fresh[i].get(), asObject(i));
    std::vector<std::pair<int, std::size_t>> changed; // (row, index into fresh)
    shown.RemoveCommonEntries(listed, [&](void* row, void* index) {
        const TPTShListData* data = GetShListData(int(asIndex(row)));
        if (CompareIdListBytes(data->RelativeIdList(), fresh[asIndex(index)].get()) != 0)
            changed.emplace_back(int(asIndex(row)), asIndex(index));
    });

    BeginUpdate();
    const auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    // Same item, new data: it keeps its row and selection.
    for (const auto& [row, index] : changed) {
        TPTListItem& item = Item(row);
        TPTShListData* data = GetDataFromItem(&item);
        data->SetData(fresh[index].release());
        std::uint32_t attributes = kIncludeAttributes;
        PCItemIDList relative = data->RelativeIdList();
        if (Failed(FFolderShellFolder->GetAttributesOf(1, &relative, &attributes)))
            attributes = 0;
        item.Caption.clear();
        item.OverlayIndex = (attributes & SFGAO_SHARE) ? 0 : ((attributes & SFGAO_LINK) ? 1 : -1);
        item.Cut = (attributes & SFGAO_GHOSTED) != 0;
        InvalidateItem(row);
    }
    // What is left of the shown has vanished, what is left of the listed is new.
    std::vector<int> vanished;
    for (int i = 0; i < shown.GetCount(); ++i)
        vanished.push_back(int(asIndex(shown.GetObject(i))));
    std::sort(vanished.begin(), vanished.end(), std::greater<int>());
    for (int row : vanished)
        DeleteItem(row);
    SetAllocBy(listed.GetCount());
    for (int i = 0; i < listed.GetCount(); ++i) {
        PItemIDList relative = fresh[asIndex(listed.GetObject(i))].release();
        TIdListPtr absolute(ConcatIdLists(ShellIMalloc(), FFolderIdList, relative));
        AddNewShellItem(absolute.get(), relative);
    }
}

void TPTCustomShellList::GoToNearestExistingAncestor()
{
    const int count = IdListItemCount(FFolderIdList);
    for (int depth = count - 1; depth >= 0; --depth) {
        TIdListPtr ancestor(IdListPrefix(FFolderIdList, depth));
        if (!ancestor)
            return;
        const QString path = ShellGetPathFromIdList(ancestor.get());
        struct stat st;
        if (path.isEmpty() ||
            (::stat(FileNameFromString(path).constData(), &st) == 0 && S_ISDIR(st.st_mode))) {
            FFolder.SetIdList(ancestor.get());
            return;
        }
    }
}

// ---- items -------------------------------------------------------------------

void TPTCustomShellList::InsertItem(TPTListItem& item)
{
    if (TPTShListData* data = std::exchange(FPendingItemData.data, nullptr)) {
        const std::uint32_t attributes = FPendingItemData.attributes;
        item.Data = data;
        FOwnData.insert(data);
        if (attributes & SFGAO_SHARE)
            item.OverlayIndex = 0;
        else if (attributes & SFGAO_LINK)
            item.OverlayIndex = 1;
        item.Cut = (attributes & SFGAO_GHOSTED) != 0;
        item.CaptionOnDemand = true;
    }
    FPendingItemData = {};
    ++FItemSerial;
    TPTCustomListView::InsertItem(item);
}

void TPTCustomShellList::Delete(TPTListItem& item)
{
    // The one place where a record of this list is freed.
    ++FItemSerial;
    TPTShListData* data = GetDataFromItem(&item);
    if (data && OnDeleteItem)
        PTEventGuard([&] { OnDeleteItem(this, &item, data); });
    if (data) {
        item.Data = nullptr;
        FOwnData.erase(data);
        FTextGenerationOf.erase(data);
    }
    TPTCustomListView::Delete(item);
    delete data;
}

TPTShListData* TPTCustomShellList::GetDataFromItem(const TPTListItem* item) const
{
    return ItemHasData(item) ? static_cast<TPTShListData*>(item->Data) : nullptr;
}

bool TPTCustomShellList::ItemHasData(const TPTListItem* item) const
{
    if (!item || !item->Data)
        return false;
    // Each record of this list sits in exactly one item: when there are as
    // many records as items, every item's data is one of them.
    if (FOwnData.size() == size_t(ItemCount()))
        return true;
    return FOwnData.count(item->Data) != 0;
}

TPTShListData* TPTCustomShellList::GetShListData(int index)
{
    if (index < 0 || index >= ItemCount())
        return nullptr;
    return GetDataFromItem(&Item(index));
}

TPTListItem* TPTCustomShellList::GetSelectedItem()
{
    const int row = Selected();
    return row >= 0 ? &Item(row) : nullptr;
}

int TPTCustomShellList::SubItemCount() const
{
    return FFolderDetails ? ColumnCount() - 1 : 3;
}

QString TPTCustomShellList::GetDispText(TPTListItem& item, int column)
{
    TPTShListData* data = GetDataFromItem(&item);
    if (!data)
        return TPTCustomListView::GetDispText(item, column);
    if (column == 0) {
        // Worked out once, when the item is first shown or sorted by it.
        if (item.Caption.isEmpty())
            item.Caption = LegibleCaption(data->GetDisplayName());
        return item.Caption;
    }
    if (column > SubItemCount())
        return QString();
    if (column - 1 < item.SubItems.size() && !item.SubItems[column - 1].isEmpty())
        return item.SubItems[column - 1];
    // A record shown before the last refresh reads its texts again.
    auto [shown, added] = FTextGenerationOf.try_emplace(data, FTextGeneration);
    if (!added && shown->second != FTextGeneration) {
        RereadEntry(data);
        shown->second = FTextGeneration;
    }
    return data->GetColText(column);
}

void TPTCustomShellList::RereadEntry(TPTShListData* data)
{
    // Size and time come from the stat data the item took when it was listed,
    // and a refresh lists known names without a stat: an item shown again
    // reads its entry once more (only rows being drawn pay for it).
    ItemData::View view;
    QByteArray bytes;
    if (!FFolderPath.isEmpty() && ItemData::Read(data->RelativeIdList(), view) &&
        view.kind == ItemData::KindFileSystem &&
        Succeeded(ItemData::ReadFileSystemEntry(AT_FDCWD, FileNameFromString(FFolderPath),
                                                view.text, view.flags & ItemData::FsHidden, -1,
                                                bytes)))
        if (PItemIDList fresh = ItemData::ListFromItems(bytes)) {
            data->SetData(fresh);
            return;
        }
    data->Flush();
}

int TPTCustomShellList::GetDispImage(TPTListItem& item)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, &item);
    if (item.ImageIndex < 1)
        if (TPTShListData* data = GetDataFromItem(&item))
            return ShellGetIconIndex(data->GetAbsoluteIdList(), SHGFI_SMALLICON);
    return item.ImageIndex;
}

void TPTCustomShellList::InitImageLists()
{
    // The shared system lists; both hold every icon at the same index.
    SetSmallImages(TPTSystemImageList::Get(ptsizSmall));
    SetLargeImages(TPTSystemImageList::Get(ptsizLarge));
}

TPTCustomDraw* TPTCustomShellList::PTCustomDraw(TNMCustomDraw& record, std::uint32_t& result)
{
    FCustomDraw = CreateCustomDraw(&record, &result);
    TPTListItem* item =
        (record.dwDrawStage & ptcd::ItemFlag) ? ItemFromSpec(record.dwItemSpec) : nullptr;
    TPTShListData* data = GetDataFromItem(item);
    if (OnCustomDrawShEx)
        PTEventGuard([&] { OnCustomDrawShEx(this, *FCustomDraw, item, data); });
    if (OnCustomDrawSh && (record.dwDrawStage & ptcd::ItemPrePaint) == ptcd::ItemPrePaint)
        PTEventGuard([&] { OnCustomDrawSh(this, *FCustomDraw, item, data); });
    FCustomDraw->Apply();
    if (record.dwDrawStage & ptcd::PrePaint)
        result |= ptcd::NotifyItemDraw;
    return FCustomDraw.get();
}

// ---- columns -----------------------------------------------------------------

IShellDetails* TPTCustomShellList::GetCurrentFolderIShellDetails()
{
    if (!FDetailsFetched && FFolderShellFolder) {
        FDetailsFetched = true;
        TComPtr<IShellDetails> details;
        if (Succeeded(FFolderShellFolder->CreateViewObject(window(), IID_IShellDetails,
                                                           details.putVoid())))
            FFolderDetails = details;
    }
    return FFolderDetails.get();
}

void TPTCustomShellList::SaveWidthsToStore()
{
    std::vector<int> widths;
    for (int i = 0; i < ColumnCount(); ++i)
        widths.push_back(ColumnWidth(i));
    ColumnWidthStore::Save(widths);
}

void TPTCustomShellList::RestoreWidthsFromStore()
{
    const std::vector<int> widths = ColumnWidthStore::Restore(ColumnCount());
    for (size_t i = 0; i < widths.size() && int(i) < ColumnCount(); ++i)
        SetColumnWidth(int(i), widths[i]);
}

void TPTCustomShellList::InitColumns(IShellDetails* details)
{
    if (ColumnCount() > 0 && FColumnMode != 0 && FSaveColumnWidths)
        SaveWidthsToStore();
    std::vector<TPTListColumn> columns;
    std::vector<int> widths;
    bool restore = false;
    if (details) {
        FColumnMode = 1;
        const bool keepWidths = !FFolderPath.isEmpty() && !ColumnWidthStore::IsEmpty();
        for (std::uint32_t index = 0;; ++index) {
            TShellDetails cell;
            if (Failed(details->GetDetailsOf(nullptr, index, &cell)))
                break;
            TPTListColumn column;
            column.Caption = StrretToString(nullptr, cell.str);
            StrretFree(cell.str);
            column.Alignment = cell.fmt == 1   ? Qt::AlignRight
                               : cell.fmt == 2 ? Qt::AlignHCenter
                                               : Qt::AlignLeft;
            columns.push_back(column);
            widths.push_back(keepWidths ? -1 : cell.cxChar * 7);
        }
        restore = keepWidths;
        FSaveColumnWidths = !FFolderPath.isEmpty();
    } else {
        FColumnMode = 2;
        FSaveColumnWidths = true;
        const TExplorerColumnsBlob blob = TExplorerColumnsBlob::ReadDefault();
        TExplorerColumnsBlob& last = LastExplorerColumnsBlob();
        restore = last.size != 0 && last.SameWidthsAs(blob) && !ColumnWidthStore::IsEmpty();
        const TResStringRec captions[4] = {SColumnName, SColumnSize, SColumnType, SColumnModified};
        for (int i = 0; i < 4; ++i) {
            TPTListColumn column;
            column.Caption = PTLoadStr(captions[i]);
            column.Alignment = i == 1 ? Qt::AlignRight : Qt::AlignLeft;
            columns.push_back(column);
            widths.push_back(restore ? -1 : blob.Width(i));
        }
        last = blob;
    }
    SetColumns(columns);
    for (size_t i = 0; i < widths.size(); ++i)
        if (widths[i] >= 0)
            SetColumnWidth(int(i), widths[i]);
    if (restore)
        RestoreWidthsFromStore();
    SetHeaderODStyle();
    if (ColumnCount() < std::abs(FSortColumn))
        SetSortColumn(1);
    else
        SetSortColumn(FSortColumn);
}

// ---- sorting -------------------------------------------------------------------

void TPTCustomShellList::SetSortColumn(int value)
{
    SetHeaderSortColumn(std::abs(value) - 1);
    // The down-pointing glyph means descending; ascending shows it pointing up.
    SetHeaderSortDirection(value >= 0 ? ptsdDesc : ptsdAsc);
    FSortColumnSet = true;
    if (value != FSortColumn) {
        FSortColumn = value;
        SortList();
    }
}

void TPTCustomShellList::SortList()
{
    if (FSortColumn == 0) {
        SortByColumnText(0, true);
        return;
    }
    IShellFolder* folder = FFolderShellFolder.get();
    const int count = ItemCount();
    if (!folder || count < 2)
        return;
    // The comparison looks the lists up by row: the items do not move while
    // the order is worked out. The lists are copied side by side first: a
    // sort of 100 000 items compares about two million pairs, and lists
    // scattered over the heap would make nearly every comparison wait for
    // memory.
    std::vector<qsizetype> offsets(size_t(count), -1);
    QByteArray arena;
    for (int row = 0; row < count; ++row)
        if (TPTShListData* data = GetShListData(row)) {
            PCItemIDList list = data->RelativeIdList();
            offsets[size_t(row)] = arena.size();
            arena.append(reinterpret_cast<const char*>(list), IdListLen(list));
        }
    std::vector<PCItemIDList> lists(size_t(count), nullptr);
    for (int row = 0; row < count; ++row)
        if (offsets[size_t(row)] >= 0)
            lists[size_t(row)] =
                reinterpret_cast<PCItemIDList>(arena.constData() + offsets[size_t(row)]);
    // One key per item and one sort of the keys (TItemOrder), not a CompareIDs
    // call per pair: that looked the type name up two million times.
    std::vector<PCItemIDList> known;
    std::vector<int> rowOfKnown;
    for (int row = 0; row < count; ++row)
        if (lists[size_t(row)]) {
            known.push_back(lists[size_t(row)]);
            rowOfKnown.push_back(row);
        }
    const TItemOrder order(folder, std::abs(FSortColumn) - 1);
    const std::vector<int> sorted = order.SortedIndexes(known, FSortColumn < 0);
    // Items without a record of ours go after the others.
    std::vector<int> rank(size_t(count), count);
    for (size_t i = 0; i < sorted.size(); ++i)
        rank[size_t(rowOfKnown[size_t(sorted[i])])] = int(i);
    const TPTListItem* first = &Item(0);
    CustomSort([&](const TPTListItem& a, const TPTListItem& b) {
        return rank[size_t(&a - first)] < rank[size_t(&b - first)];
    });
}

void TPTCustomShellList::ColClick(int column)
{
    PTEventGuard([&] {
        FSortColumnSet = false;
        TPTCustomListView::ColClick(column);
        if (FSortColumnSet)
            return;
        if (column + 1 == FSortColumn)
            SetSortColumn(-FSortColumn);
        else
            SetSortColumn(column + 1);
    });
}

// ---- change notification, timer, links ------------------------------------------

void TPTCustomShellList::InstallChangeHandler()
{
    FRefreshTimer->stop();
    if (!FChangeThread)
        FChangeThread = std::make_unique<TChangeHandlerThread>(this, AM_CHANGENOTIFY);
    else
        FChangeThread->RemoveAllWatches();
    int slot = -1;
    FChangeThread->AddWatch(FFolderPath, kWatchFileAndFolderNames, slot, false);
}

void TPTCustomShellList::StopWatching()
{
    FRefreshTimer->stop();
    FChangeThread.reset();
}

bool TPTCustomShellList::RefreshTimerActive() const
{
    return FRefreshTimer->isActive();
}

void TPTCustomShellList::TimerElapsed()
{
    FRefreshTimer->stop();
    {
        TPTCounterLock sync(FSyncLock);
        Synchronize(true);
    }
    RefreshItems();
}

void TPTCustomShellList::Synchronize(bool alsoLinked)
{
    if (alsoLinked) {
        if (FShellCombo)
            FShellCombo->Synchronize(false);
        if (FShellTree)
            FShellTree->Synchronize(false);
    }
    if (FRefreshTimer->isActive())
        TimerElapsed();
}

void TPTCustomShellList::DeviceChangeDetected(std::intptr_t event)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return;
    FlushDriveInfoCache();
    LockFlushDriveInfoCache();
    bool drives = false;
    {
        const auto unlock = qScopeGuard([] { UnlockFlushDriveInfoCache(); });
        drives = ShellFindCSIDLFromIdList(FFolderIdList) == csidlDrives;
    }
    if (drives)
        FillItems();
}

void TPTCustomShellList::FillStart()
{
    if (OnFillStart)
        OnFillStart(this);
}

void TPTCustomShellList::FillComplete()
{
    if (OnFillComplete)
        OnFillComplete(this);
}

void TPTCustomShellList::FolderChanged()
{
    if (OnFolderChanged)
        OnFolderChanged(this);
}

bool TPTCustomShellList::event(QEvent* event)
{
    switch (int(event->type())) {
    case AM_CHANGENOTIFY:
        if (FIgnoreNextChange || FInMenuOrDrag) {
            FIgnoreNextChange = false;
        } else {
            const QWidget* focus = QApplication::focusWidget();
            const bool focused = focus && (focus == this || isAncestorOf(focus));
            FRefreshTimer->start(focused ? kRefreshDelayFocusedMs : kRefreshDelayMs);
        }
        return true;
    case AM_DEFERREDFILL:
        PTEventGuard([this] {
            if (ItemCount() == 0 && !FListingJob)
                FillItems();
        });
        return true;
    case AM_DEFERREDEDIT:
        PTEventGuard([this] { DeferredEdit(); });
        return true;
    case AM_LISTINGDONE:
        PTEventGuard([this] {
            if (FListingJob && FListingJob->Finished())
                ListingEnded();
        });
        return true;
    default:
        return TPTCustomListView::event(event);
    }
}

void TPTCustomShellList::showEvent(QShowEvent* event)
{
    TPTCustomListView::showEvent(event);
    if (FWindowCreated)
        return;
    FWindowCreated = true;
    SetDropsAccepted(FOptions.Has(ptsloOleDrop));
    if (FOptions.Has(ptsloAutoFill) && ItemCount() == 0)
        QCoreApplication::postEvent(this, new TPTMessageEvent(AM_DEFERREDFILL, 0, 0));
}
