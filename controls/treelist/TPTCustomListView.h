#pragma once

#include "controls/images/TPTImageListLink.h"
#include "controls/treelist/TPTCustomDraw.h"
#include "controls/treelist/TPTItemDrawState.h"
#include "controls/treelist/TPTListColumn.h"
#include "controls/treelist/TPTListItem.h"
#include "controls/treelist/TPTListItemProvider.h"
#include "controls/treelist/TPTListTypes.h"
#include "controls/treelist/TPTViewHost.h"

#include <QHash>
#include <QMenu>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QStackedWidget;
class TPTDetailsPane;
class TPTHeaderView;
class TPTItemDelegate;
class TPTListItemModel;
class TPTListPane;
class QAbstractItemView;
class QItemSelectionModel;

// The list view base: one item model shown in four styles (large icons,
// small icons, list, details with a header), with custom draw, context-menu
// routing, the header's sort arrow, begin-drag for both buttons, drop
// highlighting and in-place caption editing with a veto. Client coordinates
// are those of the viewport of the view showing the current style.
// Only used on the user-interface thread.
//
// Teardown rule (the same for tree, list and image combo): every item passes
// Delete before it goes, also when the list is destroyed. A base destructor
// can only reach the base hook, so a class that overrides Delete calls
// DestroyItems() first thing in its own destructor.
//
// The definitions are split by concern: TPTCustomListView.cpp (construction,
// styles, colour) and TPTCustomListView_<Concern>.cpp for Items, Selection,
// Geometry, Editing, Input, ContextMenu, Header, CustomDraw and Images.
class TPTCustomListView : public QWidget, protected TPTViewHost, protected TPTListItemProvider
{
    Q_OBJECT
  public:
    using TPTLvCustomDrawEvent =
        std::function<void(TPTCustomListView* aSender, TPTCustomDraw& aCD, TPTListItem* aItem)>;
    using TPTLvOnItemContextMenuEvent = std::function<void(
        TPTCustomListView* aSender, TPTListItem* aItem, QPoint& aPos, QMenu*& aMenu)>;
    using TLVNotifyEvent = std::function<void(TPTCustomListView* aSender)>;
    using TLVItemEvent = std::function<void(TPTCustomListView* aSender, TPTListItem* aItem)>;
    using TLVColumnClickEvent = std::function<void(TPTCustomListView* aSender, int aColumn)>;
    using TLVEditingEvent =
        std::function<void(TPTCustomListView* aSender, TPTListItem* aItem, bool& aAllowEdit)>;
    using TLVEditedEvent =
        std::function<void(TPTCustomListView* aSender, TPTListItem* aItem, QString& aText)>;
    using TLVDispTextEvent = std::function<void(TPTCustomListView* aSender, TPTListItem* aItem,
                                                int aColumn, QString& aText)>;
    using TLVBeginDragEvent = std::function<void(TPTCustomListView* aSender, TPTListItem* aItem,
                                                 Qt::MouseButton aButton)>;

    explicit TPTCustomListView(QWidget* parent = nullptr);
    ~TPTCustomListView() override;

    // Events, fired only when set.
    TPTLvOnItemContextMenuEvent OnItemContextMenu;
    TPTLvCustomDrawEvent OnPTCustomDraw;
    TPTLvCustomDrawEvent OnPTCustomDrawEx;
    TLVNotifyEvent OnSelectionChanged;
    TLVItemEvent OnInsert;
    TLVItemEvent OnDeletion;
    TLVItemEvent OnGetImageIndex; // may set the item's ImageIndex
    TLVDispTextEvent OnGetDispText;
    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVBeginDragEvent OnBeginDrag;
    TLVNotifyEvent OnDblClick;

    // Items.
    int ItemCount() const;
    TPTListItem& Item(int row);
    const TPTListItem& Item(int row) const;
    int IndexOf(const TPTListItem* item) const;
    int AddItem();
    void DeleteItem(int row);
    void ClearItems();
    void BeginUpdate();
    void EndUpdate();
    void SetAllocBy(int count);
    void InvalidateItem(int row);
    void CustomSort(const std::function<bool(const TPTListItem&, const TPTListItem&)>& less);
    void SortByColumnText(int column, bool ascending);

    // Selection and focus.
    int ItemFocused() const;
    void SetItemFocused(int row);
    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    int Selected() const; // the first selected row, -1 when none
    int SelCount() const;
    std::vector<int> SelectedRows() const;
    void SelectAll();
    void ClearSelection();
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multi);

    // Geometry, in client coordinates.
    QWidget* ClientWidget() const;
    int ItemAt(const QPoint& clientPos) const;
    QRect ItemRect(int row, TDisplayCode code) const;
    void MakeVisible(int row);
    void ScrollLines(int lines);
    void ScrollColumns(int columns);
    bool CanScroll(Qt::Orientation orientation, int direction) const;

    // Drop highlighting and editing.
    void SetDropTarget(int row);
    int DropTarget() const { return FDropTarget; }
    bool IsEditing() const;
    void EditCaption(int row);
    bool ReadOnly() const { return FReadOnly; }
    void SetDropsAccepted(bool accept);
    void SetReadOnly(bool readOnly);

    // Styles and images.
    TViewStyle GetViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle style);
    // Small images serve the small-icon, list and details styles, large images
    // the large-icon style; overlays come from the same list. Not owned;
    // forgotten when a list is destroyed.
    void SetSmallImages(TPTImageList* images);
    void SetLargeImages(TPTImageList* images);
    TPTImageList* SmallImages() const { return FSmallImages.Get(); }
    TPTImageList* LargeImages() const { return FLargeImages.Get(); }
    int ListColumnWidth() const { return FListColumnWidth; }
    void SetListColumnWidth(int width);

    // Columns of the details style.
    void SetColumns(const std::vector<TPTListColumn>& columns);
    int ColumnCount() const;
    TPTListColumn Column(int index) const;
    int ColumnWidth(int index) const;
    void SetColumnWidth(int index, int width);

    // Colour of the background and the text background; a system colour
    // (a palette role) follows palette changes.
    QColor Color() const;
    void SetColor(const QColor& color);
    void SetSystemColor(QPalette::ColorRole role);

    // Popup menu of the control and the routing state.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }
    bool ContextMenuShown() const { return FContextMenuShown; }

    // Header and its sort arrow.
    TPTHeaderView* GetHeaderHandle() const { return FHeader; }
    QPainter* HeaderCanvas() const { return FHeaderCanvas; }
    int HeaderSortColumn() const { return FHeaderSortColumn; }
    void SetHeaderSortColumn(int index);
    TPTLvSortDirection HeaderSortDirection() const { return FHeaderSortDirection; }
    void SetHeaderSortDirection(TPTLvSortDirection direction);
    TPTLvHeaderSortDisplayMode HeaderSortDisplayMode() const { return FHeaderSortDisplayMode; }
    void SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode mode);
    bool HeaderDefaultDrawing() const { return FHeaderDefaultDrawing; }
    void SetHeaderDefaultDrawing(bool value);
    unsigned HeaderItemFormat(int index) const;
    void SetHeaderODStyle();
    static QRect ArrowBox(const QRect& textRect);

    TPTListItemModel* Model() const { return FModel; }
    QAbstractItemView* ActiveView() const;

  protected:
    // Custom draw.
    virtual std::unique_ptr<TPTCustomDraw> CreateCustomDraw(TNMCustomDraw* record,
                                                            uint32_t* result);
    virtual TPTCustomDraw* PTCustomDraw(TNMCustomDraw& record, uint32_t& result);
    uint32_t CustomDrawNotify(TNMCustomDraw& record);
    TPTListItem* ItemFromSpec(quintptr spec);
    std::unique_ptr<TPTCustomDraw> FCustomDraw;

    // Context menu.
    virtual void DoPreItemContextMenu(const QPoint& clientPos);
    virtual void DoItemContextMenu(const QPoint& clientPos);
    virtual void ItemContextMenu(TPTListItem* item, QPoint& clientPos, QMenu*& menu);
    void ContextMenuMessage(const QPoint& clientPos, bool fromKeyboard);
    void PopupAt(QMenu* menu, const QPoint& clientPos);
    QPoint ItemIconCentre(int row) const;

    // Header painting.
    virtual void DrawHeader(int index, const QRect& rect);
    virtual void DefaultDrawHeader(int index, const QRect& rect);
    virtual void DrawHeaderGlyphs(int index, const QRect& box);

    // Item hooks.
    virtual QString GetDispText(TPTListItem& item, int column);
    virtual int GetDispImage(TPTListItem& item);
    virtual void InsertItem(TPTListItem& item);
    virtual void Delete(TPTListItem& item);
    virtual bool CanEdit(TPTListItem& item);
    virtual void Edited(TPTListItem& item, QString& text);
    virtual void EditingEnded();
    virtual void ColClick(int column);
    virtual void BeginDrag(TPTListItem* item, Qt::MouseButton button);
    virtual void SelectionChanged();

    // Input hooks; KeyDown returns true when it consumed the key.
    virtual bool KeyDown(QKeyEvent* event);
    virtual void MouseDown(QMouseEvent* event);
    virtual void DblClick();
    // Drops and the wheel: true when handled, so the view's own handling is
    // skipped. Drops arrive only while SetDropsAccepted(true).
    virtual bool DragEvent(QEvent* event);
    virtual bool MouseWheel(QWheelEvent* event);

    // For destructors: silences the selection notification and whatever the
    // panes would still report (the owner may be half destroyed), then deletes
    // every remaining item through Delete, in order. Harmless when called
    // again.
    void DestroyItems();

    void changeEvent(QEvent* event) override;

    // TPTViewHost
    bool HostPaintBegin(QWidget* viewport) override;
    void HostPaintEnd(QWidget* viewport) override;
    bool HostItemDrawBegin(QPainter* painter, const QRect& rect, const QModelIndex& index) override;
    void HostItemDrawEnd(QPainter* painter, const QRect& rect, const QModelIndex& index) override;
    bool HostItemDrawActive(const QModelIndex& index) const override;
    void HostApplyItemOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool HostKeyDown(QKeyEvent* event) override;
    void HostMouseDown(QMouseEvent* event) override;
    void HostDblClick(QMouseEvent* event) override;
    void HostRightButtonUp(const QPoint& clientPos) override;
    void HostContextMenu(const QPoint& clientPos) override;
    void HostBeginDrag(Qt::MouseButton button, const QModelIndex& index) override;
    bool HostDragEvent(QEvent* event) override;
    bool HostWheel(QWheelEvent* event) override;
    bool HostCanEdit(const QModelIndex& index) override;
    void HostEditorClosed() override;

    // TPTListItemProvider
    QString ItemDispText(int row, int column) override;
    QIcon ItemDispIcon(int row) override;
    void ItemEdited(int row, const QString& text) override;

  private:
    void ConfigureListPane();
    void ApplyColor();
    void PaintHeaderSection(QPainter* painter, int index, const QRect& rect);
    void DrawHeaderCaption(int index, const QRect& textRect);
    QItemSelectionModel* Selection() const;
    QColor DefaultTextColor(bool selected) const;

    TPTListItemModel* FModel;
    QStackedWidget* FStack;
    TPTListPane* FListPane;
    TPTDetailsPane* FDetailsPane;
    TPTHeaderView* FHeader;
    TPTItemDelegate* FDelegate;
    TViewStyle FViewStyle = vsIcon;
    bool FMultiSelect = true;
    bool FReadOnly = false;
    int FDropTarget = -1;
    int FListColumnWidth = 200;

    TPTImageListLink FSmallImages;
    TPTImageListLink FLargeImages;

    QColor FColor;
    QPalette::ColorRole FColorRole = QPalette::Base; // NoRole: FColor is explicit

    bool FItemNotify = false;
    bool FPostPaintNotify = false;
    TPTItemDrawState FItemState;

    QPointer<QMenu> FPopupMenu;
    bool FContextMenuShown = false;

    QPainter* FHeaderCanvas = nullptr;
    std::vector<unsigned> FHeaderFormats;
    int FHeaderSortColumn = -1;
    TPTLvSortDirection FHeaderSortDirection = ptsdAsc;
    TPTLvHeaderSortDisplayMode FHeaderSortDisplayMode = ptlvRightOfText;
    bool FHeaderDefaultDrawing = true;
    int FHeaderStyleLock = 0;
};
