#pragma once

#include "controls/images/TPTImageListLink.h"
#include "controls/treelist/TPTCustomDraw.h"
#include "controls/treelist/TPTItemDrawState.h"
#include "controls/treelist/TPTListTypes.h"
#include "controls/treelist/TPTTreeNode.h"
#include "controls/treelist/TPTTreeNodeProvider.h"
#include "controls/treelist/TPTViewPane.h"

#include <QMenu>
#include <QPalette>
#include <QPointer>
#include <QTreeView>

#include <functional>
#include <memory>

class TPTItemDelegate;
class TPTTreeModel;

// The tree view base: nodes with per-node data and children filled on first
// expansion, custom draw, context-menu routing, in-place caption editing
// with a veto, begin-drag for both buttons and drop highlighting. Client
// coordinates are those of the viewport. Only used on the user-interface
// thread.
//
// Teardown rule (the same for tree, list and image combo): every node passes
// Delete before it is freed, also when the tree is destroyed. A base
// destructor can only reach the base hook, so a class that overrides Delete
// calls DestroyItems() first thing in its own destructor; the remaining nodes
// then pass its override, and the base destructor finds none left.
class TPTCustomTreeView : public TPTViewPane<QTreeView>,
                          protected TPTViewHost,
                          protected TPTTreeNodeProvider
{
    Q_OBJECT
  public:
    using TPTTvCustomDrawEvent =
        std::function<void(TPTCustomTreeView* aSender, TPTCustomDraw& aCD, TPTTreeNode* aNode)>;
    using TPTTvOnNodeContextMenuEvent = std::function<void(
        TPTCustomTreeView* aSender, TPTTreeNode* aNode, QPoint& aPos, QMenu*& aMenu)>;
    using TTVNodeEvent = std::function<void(TPTCustomTreeView* aSender, TPTTreeNode* aNode)>;
    using TTVAllowEvent =
        std::function<void(TPTCustomTreeView* aSender, TPTTreeNode* aNode, bool& aAllow)>;
    using TTVEditedEvent =
        std::function<void(TPTCustomTreeView* aSender, TPTTreeNode* aNode, QString& aText)>;
    using TTVBeginDragEvent = std::function<void(TPTCustomTreeView* aSender, TPTTreeNode* aNode,
                                                 Qt::MouseButton aButton)>;
    using TTVNotifyEvent = std::function<void(TPTCustomTreeView* aSender)>;

    explicit TPTCustomTreeView(QWidget* parent = nullptr);
    ~TPTCustomTreeView() override;

    // Events, fired only when set.
    TPTTvCustomDrawEvent OnPTCustomDraw;
    TPTTvCustomDrawEvent OnPTCustomDrawEx;
    TPTTvOnNodeContextMenuEvent OnNodeContextMenu;
    TTVNodeEvent OnChange;
    TTVAllowEvent OnExpanding;
    TTVNodeEvent OnExpanded;
    TTVNodeEvent OnCollapsed;
    TTVNodeEvent OnDeletion;
    TTVNodeEvent OnGetImageIndex;    // may set the node's ImageIndex
    TTVNodeEvent OnGetSelectedIndex; // may set the node's SelectedIndex
    TTVAllowEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVBeginDragEvent OnBeginDrag;
    TTVNotifyEvent OnDblClick;

    // Nodes.
    TPTTreeNode* AddChild(TPTTreeNode* parent, const QString& text, int position = -1);
    void DeleteNode(TPTTreeNode* node);
    void DeleteChildren(TPTTreeNode* node);
    void ClearNodes();
    int TopCount() const;
    TPTTreeNode* TopItem(int index) const;
    void SortChildren(TPTTreeNode* node,
                      const std::function<bool(const TPTTreeNode*, const TPTTreeNode*)>& less);
    void AlphaSort(TPTTreeNode* node);
    void BeginUpdate();
    void EndUpdate();

    // Selection, expansion, geometry.
    TPTTreeNode* Selected() const;
    void SetSelected(TPTTreeNode* node);
    void ExpandNode(TPTTreeNode* node);
    void CollapseNode(TPTTreeNode* node);
    bool IsExpanded(TPTTreeNode* node) const;
    void MakeVisible(TPTTreeNode* node);
    TPTTreeNode* NodeAt(const QPoint& clientPos) const;
    QRect NodeRect(TPTTreeNode* node, bool textOnly) const;
    void InvalidateNode(TPTTreeNode* node, bool textOnly, bool erase);
    void ScrollLines(int lines);
    void ScrollColumns(int columns);
    bool CanScroll(Qt::Orientation orientation, int direction) const;

    // Drop highlighting and editing.
    void SetDropTarget(TPTTreeNode* node);
    TPTTreeNode* DropTarget() const { return FDropTarget; }
    void EditCaption(TPTTreeNode* node);
    bool ReadOnly() const { return FReadOnly; }
    void SetDropsAccepted(bool accept);
    void SetReadOnly(bool readOnly);

    // Images by index, overlays from the same list; the selected image is used
    // for the selected node. Not owned; forgotten when the list is destroyed.
    void SetImages(TPTImageList* images);
    TPTImageList* Images() const { return FImages.Get(); }

    // Colour; a system colour (a palette role) follows palette changes.
    QColor Color() const;
    void SetColor(const QColor& color);
    void SetSystemColor(QPalette::ColorRole role);

    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }
    bool ContextMenuShown() const { return FContextMenuShown; }

    TPTTreeModel* Model() const { return FModel; }

  protected:
    // Custom draw.
    virtual std::unique_ptr<TPTCustomDraw> CreateCustomDraw(TNMCustomDraw* record,
                                                            uint32_t* result);
    virtual TPTCustomDraw* PTCustomDraw(TNMCustomDraw& record, uint32_t& result);
    uint32_t CustomDrawNotify(TNMCustomDraw& record);
    std::unique_ptr<TPTCustomDraw> FCustomDraw;

    // Context menu.
    virtual void DoPreNodeContextMenu();
    virtual void DoNodeContextMenu(TPTTreeNode* node, const QPoint& clientPos);
    virtual void NodeContextMenu(TPTTreeNode* node, QPoint& clientPos, QMenu*& menu);
    void PopupAt(QMenu* menu, const QPoint& clientPos);

    // Node hooks.
    virtual void Change(TPTTreeNode* node);
    virtual bool CanExpand(TPTTreeNode* node);
    virtual void Expand(TPTTreeNode* node);
    virtual void Collapse(TPTTreeNode* node);
    virtual void Delete(TPTTreeNode* node);
    virtual bool CanEdit(TPTTreeNode* node);
    virtual void Edit(TPTTreeNode* node, QString& text);
    virtual void EditingEnded();
    virtual int GetImageIndex(TPTTreeNode* node);
    virtual int GetSelectedIndex(TPTTreeNode* node);
    virtual void BeginDrag(TPTTreeNode* node, Qt::MouseButton button);

    // Input hooks; KeyDown returns true when it consumed the key.
    virtual bool KeyDown(QKeyEvent* event);
    virtual void MouseDown(QMouseEvent* event);
    virtual void DblClick();
    // Drops and the wheel: true when handled, so the view's own handling is
    // skipped. Drops arrive only while SetDropsAccepted(true).
    virtual bool DragEvent(QEvent* event);
    virtual bool MouseWheel(QWheelEvent* event);

    // For destructors: silences the change, expansion and collapse
    // notifications (the owner may be half destroyed) and deletes every
    // remaining node through Delete, children before their parent, siblings
    // in order. Harmless when called again.
    void DestroyItems();

    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    bool event(QEvent* event) override;

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

    // TPTTreeNodeProvider
    QIcon NodeIcon(TPTTreeNode* node) override;
    void NodeEdited(TPTTreeNode* node, const QString& text) override;
    void NodeDeleting(TPTTreeNode* node) override;

  private:
    void ContextMenuMessage(const QPoint& clientPos);
    void ApplyColor();
    QColor DefaultTextColor(bool selected) const;

    TPTTreeModel* FModel;
    TPTItemDelegate* FDelegate;
    bool FReadOnly = false;
    TPTTreeNode* FDropTarget = nullptr;
    int FUpdateCount = 0;

    TPTImageListLink FImages;

    QColor FColor;
    QPalette::ColorRole FColorRole = QPalette::Base;

    bool FItemNotify = false;
    bool FPostPaintNotify = false;
    TPTItemDrawState FItemState;

    QPointer<QMenu> FPopupMenu;
    bool FContextMenuShown = false;
    bool FUndoingExpansion = false;
};
