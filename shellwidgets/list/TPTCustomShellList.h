#pragma once

#include "controls/treelist/TPTCustomListView.h"
#include "platform/EPlatformError.h"
#include "shell/dragdrop/IPTDropTargetOwner.h"
#include "shell/locator/TPTShellLocator.h"
#include "shell/records/IPTShellListOwner.h"
#include "shell/records/TPTShListData.h"
#include "shell/shell95/IContextMenu.h"
#include "shell/shell95/IDataObject.h"
#include "shell/shell95/IDropTarget.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/list/TPTShellListOptions.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class QTimer;
class TShellMenu;
class TChangeHandlerThread;
class TPTBusyCursor;
class TPTShellListEnumJob;

// The file list: the contents of one shell folder in the four list styles.
// Each item carries a TPTShListData (its list relative to the folder) whose
// caption, column texts and icon are asked for only when the item is shown.
//
// Listing a folder that has a path runs on a worker thread; the user-interface
// thread waits for it at most ListingWaitMs. A longer listing goes on in the
// background under the busy cursor and the list fills when it ends; filling
// again (another folder) abandons it. IsListing() tells whether one runs.
//
// Interaction (navigation, keys, renaming, menus, drag and drop) builds on the
// hooks here: InMenuOrDrag/RefreshPending, IgnoreNextChange and the virtuals.
// User-interface thread only.
class TPTCustomShellList : public TPTCustomListView,
                           public IPTShellListOwner,
                           public IPTLinkedShellList,
                           public IPTDropTargetOwner
{
    Q_OBJECT
  public:
    using TPTShAddItemEvent = std::function<void(
        TPTCustomShellList* aSender, IShellFolder* aParentIShf, PCItemIDList aParentAbsIdList,
        PCItemIDList aItemRelIdList, std::uint32_t aAttribs, bool& afAllowAdd)>;
    using TPTShListDeleteItemEvent = std::function<void(
        TPTCustomShellList* aSender, TPTListItem* aNode, TPTShListData* aShListData)>;
    using TPTShLvCustomDrawEvent = std::function<void(
        TPTCustomShellList* aSender, TPTCustomDraw& aCD, TPTListItem* aItem, TPTShListData* aData)>;
    using TPTShNotifyEvent = std::function<void(TPTCustomShellList* aSender)>;
    using TPTShDblClickOpenEvent =
        std::function<void(TPTCustomShellList* aSender, bool& afHandled)>;
    using TPTShPopupHintEvent =
        std::function<void(TPTCustomShellList* aSender, const QString& hint)>;
    // Shows a shell menu at a screen point and answers the chosen identifier
    // (0: cancelled). Tests replace it to answer without a popup.
    using TPTShellMenuTracker = std::function<std::uint32_t(QWidget* owner, const TShellMenu& menu,
                                                            const QPoint& globalPos)>;

    // The request mask of the inclusion rule: file system, folder, file-system
    // ancestor, removable, hidden, share, link. (Has-subfolders is left out:
    // the list never shows it, and it would read every subfolder.)
    static constexpr std::uint32_t kIncludeAttributes = 0x720B0000;
    // Refresh delays after the last change notice, with and without focus.
    static constexpr int kRefreshDelayFocusedMs = 400;
    static constexpr int kRefreshDelayMs = 2000;
    // How long the user-interface thread waits for a listing before it goes
    // on in the background; below 0 it does not look at all (tests use that
    // to see the background path whatever the machine's speed).
    static int ListingWaitMs;
    // Posted by a listing's worker when it ends.
    static constexpr int AM_LISTINGDONE = 1128;
    // Shell menu identifiers: Send To entries from 1, shell commands from 50.
    static constexpr std::uint32_t kFirstShellCommandId = 50;
    static constexpr std::uint32_t kLastShellCommandId = 0x7FFF;
    // A drag scrolls one line this close to an edge, at most every kDragScrollMs.
    static constexpr int kDragScrollMarginX = 26;
    static constexpr int kDragScrollMarginY = 20;
    static constexpr int kDragScrollMs = 100;
    // Type-ahead: a pause this long starts a new search text.
    static constexpr int kTypeAheadResetMs = 1000;
    // Replaces the popup of every shell menu; an empty one brings it back.
    // Returns the one it replaced.
    static TPTShellMenuTracker SetShellMenuTracker(TPTShellMenuTracker tracker);

    explicit TPTCustomShellList(QWidget* parent = nullptr);
    ~TPTCustomShellList() override;

    TPTShAddItemEvent OnAddItem;
    TPTShListDeleteItemEvent OnDeleteItem;
    TPTShLvCustomDrawEvent OnCustomDrawSh;
    TPTShLvCustomDrawEvent OnCustomDrawShEx;
    TPTShNotifyEvent OnFillStart;
    TPTShNotifyEvent OnFillComplete;
    TPTShNotifyEvent OnFolderChanged;
    TPTShDblClickOpenEvent OnDblClickOpen;
    TPTShPopupHintEvent OnPopupHint;

    // Contents.
    void FillItems();
    void RefreshItems();
    bool IsListing() const { return FListingJob != nullptr; }

    TPTShellLocator& Folder() { return FFolder; }
    TPTShellListOptions Options() const { return FOptions; }
    void SetOptions(TPTShellListOptions options);
    QString FileFilter() const { return FFileFilter; }
    void SetFileFilter(const QString& filter);
    // The masks as bytes (FileNameFromString), matched with FileMaskMatches.
    const QList<QByteArray>& FilterMasks() const { return FFilterMasks; }

    // Sorting: +k by column k - 1 ascending, -k descending, 0 by caption.
    int SortColumn() const { return FSortColumn; }
    void SetSortColumn(int value);
    void SortList();

    // Columns: 0 none yet, 1 from the folder's details, 2 the default four.
    int ColumnMode() const { return FColumnMode; }
    bool SaveColumnWidths() const { return FSaveColumnWidths; }

    // Item data.
    TPTShListData* GetShListData(int index);
    TPTShListData* GetDataFromItem(const TPTListItem* item) const;
    bool ItemHasData(const TPTListItem* item) const;
    TPTListItem* GetSelectedItem();

    void InstallChangeHandler();
    void Synchronize(bool alsoLinked) override;

    // Links: linking links the partner back, null unlinks both sides. A
    // combo that already has a tree refuses the list, which then stays
    // without a combo.
    IPTLinkedShellTree* ShellTree() const override { return FShellTree; }
    void SetShellTree(IPTLinkedShellTree* tree) override;
    IPTLinkedShellCombo* ShellCombo() const override { return FShellCombo; }
    void SetShellCombo(IPTLinkedShellCombo* combo) override;
    void SetFolder(PCItemIDList absolute) override { FFolder.SetIdList(absolute); }
    void TreeChanged(TPTShTreeData* selectedNodeData) override;
    bool HideFoldersWhenLinkedToTree() const override
    {
        return FOptions.Has(ptsloHideFoldersWhenLinkedToTree);
    }

    // State shared with the interaction code.
    bool InMenuOrDrag() const { return FInMenuOrDrag; }
    void SetInMenuOrDrag(bool value) { FInMenuOrDrag = value; }
    bool RefreshPending() const { return FRefreshPending; }
    void SetRefreshPending(bool value) { FRefreshPending = value; }
    bool IgnoreNextChange() const { return FIgnoreNextChange; }
    void SetIgnoreNextChange(bool value) { FIgnoreNextChange = value; }
    int SyncLock() const { return FSyncLock; }
    bool RefreshTimerActive() const;

    // Navigation and opening (TPTCustomShellListNavigation.cpp).
    void GoUp(int levels);
    void OpenItem(TPTListItem* item);
    void OpenSelectedItems();
    bool DblClickOpen();
    int ShellSelCount();

    // Renaming and new folders (TPTCustomShellListEdit.cpp).
    bool CreateNewFolder(bool startEditing);
    const QString& PendingEditName() const { return FPendingEditName; }

    // Shell menus and verbs (TPTCustomShellListMenu.cpp).
    void ProcessMenu(TPTListItem* item, const QPoint& clientPos);
    void ProcessMenuForAllSelected(const QPoint& clientPos);
    void ProcessFolderMenu(const QPoint& clientPos);
    // Hands the selection to entry `index` of the Send To entries that
    // PrepareSendTo put in the menu (none here: does nothing).
    virtual void ProcessSendTo(int index);
    void DoCommandForItem(TPTListItem* item, const QString& verb);
    void DoCommandForAllSelected(const QString& verb);
    void DoCommandForFolder(const QString& verb);
    HRESULT GetUIObjectForItem(TPTListItem* item, REFIID iid, void** object);
    HRESULT GetUIObjectForAllSelected(REFIID iid, void** object);
    IContextMenu* ActiveContextMenu() const { return FActiveContextMenu; }

    // Drag and drop (TPTCustomShellListDragDrop.cpp).
    std::uint32_t GetDragDropAttributesForItem(TPTListItem* item);
    std::uint32_t GetDragDropAttributesForAllSelected();
    void OleBeginDrag(Qt::MouseButton button);
    bool RightDragStarted() const { return FRightDragStarted; }

    // IPTDropTargetOwner; points are screen points.
    HRESULT OnDropTarget_DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                                   std::uint32_t& effect) override;
    HRESULT OnDropTarget_DragOver(std::uint32_t keyState, TPointL point,
                                  std::uint32_t& effect) override;
    HRESULT OnDropTarget_DragLeave() override;
    HRESULT OnDropTarget_Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                              std::uint32_t& effect) override;

    // IPTShellListOwner
    IShellFolder* FolderShellFolder() const override { return FFolderShellFolder.get(); }
    PCItemIDList FolderIdList() const override { return FFolderIdList; }
    IMalloc* ShellAllocator() const override { return FMalloc.get(); }
    IShellDetails* GetCurrentFolderIShellDetails() override;

  protected:
    // A list of the first `count` items of idList, from the shell allocator.
    static PItemIDList IdListPrefix(PCItemIDList idList, int count);
    // Shows the folder of an absolute list, telling the linked controls.
    void NavigateTo(PCItemIDList absolute);
    // The Send To entries of a shell menu (identifiers 1 to 49, entry id - 1):
    // the shell's menu brings a greyed placeholder, which stays unless a
    // derived list or the shared Send To builder fills it here.
    virtual void PrepareSendTo(TShellMenu& menu);
    // Runs the verb through the items' context menu.
    void RunVerb(IContextMenu* menu, const QString& verb);
    // Builds and tracks a shell menu over `menu`; the chosen command runs.
    void TrackShellMenu(IContextMenu* menu, std::uint32_t flags, const QPoint& clientPos);
    // Runs the default command of `menu` (a double click), when there is one.
    void InvokeDefaultCommand(IContextMenu* menu);
    // The relative lists of the selected items with data, in row order.
    std::vector<PCItemIDList> SelectedIdLists();

    // The enumeration step of a full fill.
    virtual void FillList(IShellFolder* folder, PCItemIDList absolute);
    // Adds one item when it passes ShouldInclude (true); takes over relative.
    virtual bool AddNewShellItem(PCItemIDList absolute, PItemIDList relative);
    virtual bool ShouldInclude(PCItemIDList first, PCItemIDList relative,
                               std::uint32_t& attributes);
    virtual bool CanAdd(IShellFolder* folder, PCItemIDList first, PCItemIDList relative,
                        std::uint32_t attributes);
    virtual void FilterPreApply();
    virtual bool FilterApply(const QString& name, std::uint32_t attributes);
    virtual void FilterPostApply();
    virtual void InitColumns(IShellDetails* details);
    void InitImageLists();
    virtual void FillStart();
    virtual void FillComplete();
    virtual void FolderChanged();
    virtual void DeviceChangeDetected(std::intptr_t event);
    // Runs when the refresh timer fires.
    void TimerElapsed();

    // TPTCustomListView
    QString GetDispText(TPTListItem& item, int column) override;
    int GetDispImage(TPTListItem& item) override;
    void InsertItem(TPTListItem& item) override;
    void Delete(TPTListItem& item) override;
    void ColClick(int column) override;
    TPTCustomDraw* PTCustomDraw(TNMCustomDraw& record, std::uint32_t& result) override;

    bool CanEdit(TPTListItem& item) override;
    void Edited(TPTListItem& item, QString& text) override;
    void EditingEnded() override;
    void DoPreItemContextMenu(const QPoint& clientPos) override;
    void ItemContextMenu(TPTListItem* item, QPoint& clientPos, QMenu*& menu) override;
    void BeginDrag(TPTListItem* item, Qt::MouseButton button) override;
    bool KeyDown(QKeyEvent* event) override;
    void DblClick() override;
    bool DragEvent(QEvent* event) override;
    bool MouseWheel(QWheelEvent* event) override;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    std::uint32_t PopupShellMenu(const TShellMenu& description, const QPoint& globalPos);
    bool ShellMenusAllowed() const;
    bool ShortCutKey(QKeyEvent* event);
    bool EnterKey();
    void DeleteSelectedForGood();
    bool TypeAhead(QKeyEvent* event);
    void DeferredEdit();
    void RunPendingRefresh();
    TComPtr<IDropTarget> DropTargetAt(const QPoint& clientPos, int& row, std::uint32_t& effect);
    TComPtr<IDropTarget> FolderDropTarget();
    void DragAutoScroll(const QPoint& clientPos);
    void EndDragOver();
    bool OwnDrag() const { return FDragOut; }

    // Makes a record shown again after a refresh take fresh stat data.
    void RereadEntry(TPTShListData* data);
    enum class TListingKind { None, Fill, Refresh, NameRefresh };
    struct TPendingItemData {
        TPTShListData* data = nullptr;
        std::uint32_t attributes = 0;
        bool hasDetails = false;
    };

    void LocatorChanged();
    void StartListing(TListingKind kind, IShellFolder* folder);
    void ListingEnded();
    void AbandonListing(bool notify);
    void FinishFill(TPTShellListEnumJob& job, PItemIDList previousIdList);
    void FinishRefresh(TPTShellListEnumJob& job, bool byNames);
    void ApplyNameRefresh(std::vector<TIdListPtr>& fresh, const std::vector<bool>& present);
    void ApplyMergeRefresh(std::vector<TIdListPtr>& fresh);
    bool ListingFailed(TPTShellListEnumJob& job);
    EPlatformError ListingError(HRESULT code) const;
    void NoteExcluded(PCItemIDList relative);
    void AddItemWithData(TPTShListData* data, std::uint32_t attributes);
    void GoToNearestExistingAncestor();
    std::uint32_t EnumFlags() const;
    void SaveWidthsToStore();
    void RestoreWidthsFromStore();
    int SubItemCount() const;
    void StopWatching();

    // Listed folder.
    TComPtr<IShellFolder> FFolderShellFolder;
    PItemIDList FFolderIdList = nullptr;
    TComPtr<IMalloc> FMalloc;
    bool FDetailsFetched = false;
    TComPtr<IShellDetails> FFolderDetails;
    TPTShellLocator FFolder;
    TPTShellListOptions FOptions = TPTShellListOptions::Default();
    QString FFolderPath; // empty for a folder without a path
    int FColumnMode = 0;
    bool FSaveColumnWidths = false;

    // Masks.
    QString FFileFilter;
    QList<QByteArray> FFilterMasks;
    bool FFilterActive = false; // a mask applies to the fill or refresh running now

    // Refresh and links.
    QTimer* FRefreshTimer;
    IPTLinkedShellTree* FShellTree = nullptr;
    IPTLinkedShellCombo* FShellCombo = nullptr;
    int FSortColumn = 1;
    bool FSortColumnSet = false;
    int FSyncLock = 0;
    bool FIgnoreNextChange = false;
    std::unique_ptr<TChangeHandlerThread> FChangeThread;
    QString FPendingEditName;
    IContextMenu* FActiveContextMenu = nullptr; // not owned; while a menu is tracked
    std::uint32_t FActiveMenuFlags = 0;         // the flags that menu was built with
    bool FRightDragStarted = false;
    bool FDragOut = false;           // a drag that started in this list runs
    TComPtr<IDataObject> FDragData;  // what a drag over the list carries
    std::uint32_t FDragKeyState = 0; // the key state seen at the drag's enter
    QElapsedTimer FDragScrollTime;
    QString FTypeAhead;
    QElapsedTimer FTypeAheadTime;
    bool FInMenuOrDrag = false;
    bool FRefreshPending = false;
    TPendingItemData FPendingItemData;
    std::unordered_set<const void*> FOwnData; // the records this list attached
    // Records whose column texts were shown, with the refresh they were read
    // after: a refresh only counts up, shown texts are read again lazily.
    std::unordered_map<const TPTShListData*, unsigned> FTextGenerationOf;
    unsigned FTextGeneration = 0;
    bool FWindowCreated = false;

    // The listing in progress, if any.
    std::shared_ptr<TPTShellListEnumJob> FListingJob;
    TListingKind FListingKind = TListingKind::None;
    PItemIDList FPreviousIdList = nullptr; // a fill's folder before it, until it ends
    bool FRefreshAgain = false;            // a refresh was asked while one ran
    std::unique_ptr<TPTBusyCursor> FListingCursor;
    // Entries of the folder that the list leaves out (hidden by a mask, vetoed),
    // so a name refresh does not examine them again.
    std::vector<std::string> FExcludedNames;
    // The records whose names a running name listing was given, and the count
    // of insertions and deletions then (FItemSerial counts them).
    std::vector<const TPTShListData*> FKnownRecords;
    unsigned FKnownSerial = 0;
    unsigned FItemSerial = 0;
};
