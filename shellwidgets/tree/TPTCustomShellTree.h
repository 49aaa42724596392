#pragma once

#include "controls/treelist/TPTCustomTreeView.h"
#include "shell/dragdrop/IPTDropTargetOwner.h"
#include "shell/locator/TPTShellLocator.h"
#include "shell/records/IPTShellTreeOwner.h"
#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/menus/TPTDragAutoScroll.h"
#include "shellwidgets/tree/TPTShellTreeOptions.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class TChangeHandlerThread;
class TPTFolderScan;
struct TPTFolderListing;
class TPTShTreeData;
struct TMessage;
class TPTDeviceChangeHandler;
class TDropTarget_shtv;
class TPTQtDropBridge;

// The folder tree over the shell namespace: the folders below BaseFolder,
// filled lazily as nodes expand, kept current from change notifications and
// device changes, and keeping a linked file list and folder combo on the
// folder the user selects. Nodes that stand for shell objects carry a
// TPTShTreeData; other nodes are foreign and skipped by every shell operation.
//
// Folders are listed on a worker (TPTFolderScan): the tree waits for it up to
// ScanWaitMs, then goes on with the busy cursor and adds the nodes when the
// listing arrives, unless the node was collapsed or the selection moved
// elsewhere meanwhile. User-interface thread only.
class TPTCustomShellTree : public TPTCustomTreeView,
                           public IPTLinkedShellTree,
                           protected IPTShellTreeOwner,
                           protected IPTDropTargetOwner
{
    Q_OBJECT
  public:
    using TPTShAddItemEvent = std::function<void(
        TPTCustomShellTree* aSender, IShellFolder* aParentIShf, PCItemIDList aParentAbsIdList,
        PCItemIDList aItemRelIdList, std::uint32_t aAttribs, bool& afAllowAdd)>;
    using TPTShTreeDeleteItemEvent = std::function<void(
        TPTCustomShellTree* aSender, TPTTreeNode* aNode, TPTShTreeData* aShTreeData)>;
    using TPTShTreeInsertItemEvent =
        std::function<void(TPTCustomShellTree* aSender, TPTTreeNode* aNode)>;
    using TPTShPopupHintEvent =
        std::function<void(TPTCustomShellTree* aSender, const QString& hint)>;
    using TPTShTvCustomDrawEvent = std::function<void(
        TPTCustomShellTree* aSender, TPTCustomDraw& aCD, TPTTreeNode* aNode, TPTShTreeData* aData)>;
    using TPTShNotifyEvent = std::function<void(TPTCustomShellTree* aSender)>;

    // Attributes asked of every object before its node is added.
    static constexpr std::uint32_t kNodeAttributeMask = 0xF20B0000;
    // How long a listing may hold the user-interface thread.
    static constexpr int kScanWaitMs = 200;
    // Delays of DelayTimer.
    static constexpr int kSelectDelayMs = 500;
    static constexpr int kRefreshDelayFocusedMs = 400;
    static constexpr int kRefreshDelayMs = 2000;

    explicit TPTCustomShellTree(QWidget* parent = nullptr);
    ~TPTCustomShellTree() override;

    // Events, fired only when set.
    TPTShAddItemEvent OnAddItem;
    TPTShTreeDeleteItemEvent OnDeleteItem;
    TPTShTreeInsertItemEvent OnInsertItem;
    TPTShPopupHintEvent OnPopupHint; // the context menu's help texts
    TPTShTvCustomDrawEvent OnCustomDrawSh;
    TPTShTvCustomDrawEvent OnCustomDrawShEx;
    TPTShNotifyEvent OnFillStart;
    TPTShNotifyEvent OnFillComplete;

    // Folders.
    TPTShellLocator& BaseFolder() { return FBaseFolder; }
    // Changing SelectedFolder selects its node, adding nodes on the way.
    TPTShellLocator& SelectedFolder() { return FSelectedFolder; }
    void SetSelectedFolder(PCItemIDList absIdList) override;
    QString SelectedPathName() { return GetSelectedPathName(); }
    void SetSelectedPathName(const QString& path);
    TPTShTreeData* SelectedItem() const;
    TPTShTreeData* ShTreeData(int index) const; // nodes counted top to bottom, all levels

    // Linked controls: linking links the partner back (a list is pointed at
    // SelectedFolder), null unlinks both sides. A combo that already has a
    // list refuses the tree, which then stays without a combo.
    IPTLinkedShellList* ShellList() const override { return FShellList; }
    void SetShellList(IPTLinkedShellList* list) override;
    IPTLinkedShellCombo* ShellCombo() const override { return FShellCombo; }
    void SetShellCombo(IPTLinkedShellCombo* combo) override;

    // How long a folder listing may hold the user-interface thread before the
    // tree goes on without it (kScanWaitMs); negative: never, every listing
    // arrives through the event loop.
    int ScanWaitMs() const { return FScanWaitMs; }
    void SetScanWaitMs(int milliseconds) { FScanWaitMs = milliseconds; }

    TPTShellTreeOptions Options() const { return FOptions; }
    void SetOptions(TPTShellTreeOptions options);

    // Operations.
    void FillItems();
    void RefreshNodes() override;
    virtual void FillTree(IShellFolder* folder, TPTTreeNode* node);
    // Appends the node, or puts it at position among the parent's children.
    HRESULT AddNewShellNode(IMalloc* malloc, IShellFolder* folder, PCItemIDList item,
                            TPTTreeNode* parentNode, PCItemIDList parentAbsIdList,
                            int position = -1);
    virtual bool CanAdd(IShellFolder* folder, PCItemIDList parentAbsIdList,
                        std::uint32_t attributes, PCItemIDList item);
    void SortNode(TPTTreeNode* node);
    void DoSetSelectedIdList(PCItemIDList absIdList) override;
    TPTTreeNode* FindNodeWithIdList(TPTTreeNode* node, PCItemIDList item);
    TPTTreeNode* GetFirstRootLevelShellNode() const;
    void GoUp(int levels) override;
    bool CreateNewFolder(bool startEditing);
    void Synchronize(bool alsoLinked) override;
    TPTShTreeData* GetDataFromNode(TPTTreeNode* node) const;
    bool NodeHasData(TPTTreeNode* node) const { return GetDataFromNode(node) != nullptr; }
    QString GetSelectedPathName();
    // The shell command of a verb ("cut", "copy", "paste", "delete") on a
    // node's object, through the node's shell context menu; refreshes after
    // it. A node without a record or a parent does nothing and answers 1
    // (S_FALSE); a menu that cannot be had raises the platform error.
    virtual HRESULT DoCommandForNode(TPTTreeNode* node, const QString& verb);

    // Watches: every filled folder on a fixed, network or RAM volume.
    virtual void InstallChangeHandler(const QString& path);
    void InstallChangeHandlersForAllLocalDrives();
    void DeviceChangeDetected(TPTDeviceChangeHandler* sender, const TMessage& message);
    void TimerElapsed();

    // State the menu and drag code of the tree sets and reads.
    bool InMenuOrDrag() const { return FInMenuOrDrag; }
    void SetInMenuOrDrag(bool value);
    bool RefreshPending() const { return FRefreshPending; }
    bool IsEditingCaption() const;
    int DelayTag() const { return FDelayTag; }
    bool DelayTimerActive() const { return FDelayTimer.isActive(); }
    // Folders with a watch (paths); for tests and diagnostics.
    QList<QByteArray> WatchedFolders() const;

    // Context menu and Send To (TPTCustomShellTreeMenu.cpp). ProcessMenu
    // shows the node's shell menu at a client point and runs the choice;
    // ProcessSendTo sends the node to Send To entry `index`.
    virtual void ProcessMenu(TPTTreeNode* node, const QPoint& clientPos);
    virtual void ProcessSendTo(TPTTreeNode* node, int index);

    // Drag and drop (TPTCustomShellTreeDragDrop.cpp). Points of the drop
    // target calls are screen coordinates.
    void OleBeginDrag(Qt::MouseButton button);
    std::uint32_t GetDragDropAttributesForNode(TPTTreeNode* node);
    HRESULT OnDropTarget_DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                                   std::uint32_t& effect) override;
    HRESULT OnDropTarget_DragOver(std::uint32_t keyState, TPointL point,
                                  std::uint32_t& effect) override;
    HRESULT OnDropTarget_DragLeave() override;
    HRESULT OnDropTarget_Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                              std::uint32_t& effect) override;
    TPTTreeNode* DragSourceNode() const { return FDragSourceNode; }
    // The drag scrolling's clock can be replaced by tests.
    TPTDragAutoScroll& DragAutoScroll() { return FAutoScroll; }

  protected:
    // Node hooks of the base.
    void Change(TPTTreeNode* node) override;
    bool CanExpand(TPTTreeNode* node) override;
    void Expand(TPTTreeNode* node) override; // fills a node on its first expansion
    void Collapse(TPTTreeNode* node) override;
    void Delete(TPTTreeNode* node) override;
    bool CanEdit(TPTTreeNode* node) override;
    void Edit(TPTTreeNode* node, QString& text) override;
    void EditingEnded() override;
    int GetImageIndex(TPTTreeNode* node) override;
    int GetSelectedIndex(TPTTreeNode* node) override;
    bool KeyDown(QKeyEvent* event) override;
    void MouseDown(QMouseEvent* event) override;
    TPTCustomDraw* PTCustomDraw(TNMCustomDraw& record, uint32_t& result) override;
    bool event(QEvent* event) override;
    void NodeContextMenu(TPTTreeNode* node, QPoint& clientPos, QMenu*& menu) override;
    void BeginDrag(TPTTreeNode* node, Qt::MouseButton button) override;
    bool DragEvent(QEvent* event) override;

    // Insert handling of a new node.
    virtual void DoInsertItem(TPTTreeNode* node);
    void DoFillStart();
    void DoFillComplete();

    int FSyncLock = 0;
    int FExpandLock = 0;
    bool FImmediateSelect = false;
    bool FIgnoreNextChange = false;

  private:
    // Whether a folder has subfolders is asked by the listing worker, never
    // here: it means reading the folder.
    static constexpr std::uint32_t kAttributesOnThisThread =
        kNodeAttributeMask & ~SFGAO_HASSUBFOLDER;

    enum class ListingState { Listed, Pending, NotStarted };

    std::uint32_t EnumFlags() const;
    // Lists a node's folder: through a scan when the folder has a path,
    // else through its EnumObjects on this thread. A pending scan stays in
    // FScans when keepPending, else it is cancelled.
    ListingState ListNode(TPTTreeNode* node, IShellFolder* folder, bool keepPending,
                          const QSet<QByteArray>& known, TPTFolderListing& listing);
    // Appends the nodes, or with inSortedPlace puts each where the folder's
    // order has it among children already sorted.
    void AddListedNodes(TPTTreeNode* node, IShellFolder* folder, TPTFolderListing& listing,
                        bool inSortedPlace = false);
    int SortedPosition(TPTTreeNode* node, IShellFolder* folder, PCItemIDList item);
    HRESULT AddShellNode(IMalloc* malloc, IShellFolder* folder, PCItemIDList item,
                         TPTTreeNode* parentNode, PCItemIDList parentAbsIdList,
                         std::uint32_t attributes, int position = -1);
    void FinishFill(TPTTreeNode* node, bool added);
    void ScanTick();
    void CancelScansOutside(TPTTreeNode* keep);
    void CancelScan(TPTTreeNode* node);
    void UpdateBusyCursor();

    void RefreshNode(TPTTreeNode* node, TPTTreeNode*& remembered);
    void MergeListing(TPTTreeNode* node, IShellFolder* folder, TPTFolderListing& listing,
                      TPTTreeNode*& remembered);
    void ApplySelection(TPTTreeNode* node);
    void BaseFolderChanged();
    void SelectedFolderChanged();
    void FlushBelow(TPTTreeNode* node);
    void WatchNode(TPTTreeNode* node);
    bool AddFolderWatch(const QString& path);
    void FreeNodeData(TPTTreeNode* node);
    void InstallImages();

    TPTShellLocator FBaseFolder;
    TPTShellLocator FSelectedFolder;
    TPTShellTreeOptions FOptions = kDefaultShellTreeOptions;
    IPTLinkedShellList* FShellList = nullptr;
    IPTLinkedShellCombo* FShellCombo = nullptr;

    QTimer FDelayTimer;
    int FDelayTag = 0; // 0 nothing, 1 selection change, 2 refresh
    bool FInMenuOrDrag = false;
    bool FRefreshPending = false;
    TPTTreeNode* FLastAdded = nullptr;
    QSet<TPTShTreeData*> FRecords; // tells our records from foreign node data

    std::unique_ptr<TChangeHandlerThread> FChangeThread;
    QHash<TPTTreeNode*, QByteArray> FWatches; // filled nodes with a watch, by path
    bool FWatchesExhaustedSaid = false;

    std::map<TPTTreeNode*, std::unique_ptr<TPTFolderScan>> FScans;
    QTimer FScanTimer;
    int FScanWaitMs = kScanWaitMs;
    bool FWalkAfterPending = false; // a walk to a selected folder met a slow folder
    bool FScanCursorShown = false;

    // Drag and drop.
    void UpdateDropRegistration(bool wanted);
    TPTTreeNode* NodeAtScreen(TPointL point) const;
    TPTTreeNode* FDragSourceNode = nullptr;
    TComPtr<TDropTarget_shtv> FRegisteredDropTarget;
    std::unique_ptr<TPTQtDropBridge> FDropBridge;
    TComPtr<IDataObject> FDragData; // the data over the tree, from enter to leave or drop
    std::uint32_t FDragKeyState = 0;
    TPTDragAutoScroll FAutoScroll;
};
