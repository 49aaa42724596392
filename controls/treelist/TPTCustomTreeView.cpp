#include "controls/treelist/TPTCustomTreeView.h"

#include "controls/treelist/PTIconUtils.h"
#include "controls/treelist/TPTItemDelegate.h"
#include "controls/treelist/TPTTreeModel.h"
#include "controls/treelist/TPTTvCustomDraw.h"

#include <QMenu>
#include <QPainter>
#include <QScrollBar>

TPTCustomTreeView::TPTCustomTreeView(QWidget* parent)
    : TPTViewPane<QTreeView>(parent), FModel(new TPTTreeModel(this, this)),
      FDelegate(new TPTItemDelegate(this, this))
{
    SetHost(this);
    SetRightPressSelects(false);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setItemDelegate(FDelegate);
    setModel(FModel);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Change(FModel->NodeOf(current)); });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        TPTTreeNode* node = FModel->NodeOf(index);
        if (!CanExpand(node)) {
            // Qt has expanded it already; taking that back is no collapse the
            // owner needs to hear of.
            FUndoingExpansion = true;
            collapse(index);
            FUndoingExpansion = false;
            return;
        }
        Expand(node);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!FUndoingExpansion)
            Collapse(FModel->NodeOf(index));
    });
}

TPTCustomTreeView::~TPTCustomTreeView()
{
    DestroyItems();
    FCustomDraw.reset();
}

void TPTCustomTreeView::DestroyItems()
{
    // The owner may be half destroyed already: no change or expansion events
    // from here on, only the deletion hook.
    selectionModel()->disconnect(this);
    disconnect(this, nullptr, this, nullptr);
    // Descendants release their per-node data before their parents.
    FModel->Clear();
}

// ---- nodes ---------------------------------------------------------------

TPTTreeNode* TPTCustomTreeView::AddChild(TPTTreeNode* parent, const QString& text, int position)
{
    return FModel->Add(parent, text, position);
}

void TPTCustomTreeView::DeleteNode(TPTTreeNode* node)
{
    FModel->Delete(node);
}

void TPTCustomTreeView::DeleteChildren(TPTTreeNode* node)
{
    FModel->DeleteChildren(node);
}

void TPTCustomTreeView::ClearNodes()
{
    FModel->Clear();
}

int TPTCustomTreeView::TopCount() const
{
    return FModel->Root()->Count();
}

TPTTreeNode* TPTCustomTreeView::TopItem(int index) const
{
    return index >= 0 && index < TopCount() ? FModel->Root()->Item(index) : nullptr;
}

void TPTCustomTreeView::SortChildren(
    TPTTreeNode* node, const std::function<bool(const TPTTreeNode*, const TPTTreeNode*)>& less)
{
    FModel->SortChildren(node, less);
}

void TPTCustomTreeView::AlphaSort(TPTTreeNode* node)
{
    FModel->SortChildren(node, [](const TPTTreeNode* a, const TPTTreeNode* b) {
        return QString::compare(a->Text(), b->Text(), Qt::CaseInsensitive) < 0;
    });
}

void TPTCustomTreeView::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        setUpdatesEnabled(false);
}

void TPTCustomTreeView::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        setUpdatesEnabled(true);
}

// ---- selection, expansion, geometry --------------------------------------

TPTTreeNode* TPTCustomTreeView::Selected() const
{
    return FModel->NodeOf(currentIndex());
}

void TPTCustomTreeView::SetSelected(TPTTreeNode* node)
{
    if (!node) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
        return;
    }
    setCurrentIndex(FModel->IndexOf(node));
}

void TPTCustomTreeView::ExpandNode(TPTTreeNode* node)
{
    if (node)
        expand(FModel->IndexOf(node));
}

void TPTCustomTreeView::CollapseNode(TPTTreeNode* node)
{
    if (node)
        collapse(FModel->IndexOf(node));
}

bool TPTCustomTreeView::IsExpanded(TPTTreeNode* node) const
{
    return node && isExpanded(FModel->IndexOf(node));
}

void TPTCustomTreeView::MakeVisible(TPTTreeNode* node)
{
    if (node)
        scrollTo(FModel->IndexOf(node));
}

TPTTreeNode* TPTCustomTreeView::NodeAt(const QPoint& clientPos) const
{
    return FModel->NodeOf(indexAt(clientPos));
}

QRect TPTCustomTreeView::NodeRect(TPTTreeNode* node, bool textOnly) const
{
    if (!node)
        return {};
    const QModelIndex index = FModel->IndexOf(node);
    const QRect r = visualRect(index);
    if (!textOnly || r.isEmpty())
        return r;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = r;
    return FDelegate->TextRect(option, index);
}

void TPTCustomTreeView::InvalidateNode(TPTTreeNode* node, bool textOnly,
                                       bool /*erase: Qt always repaints the background*/)
{
    const QRect r = NodeRect(node, textOnly);
    if (!r.isEmpty())
        viewport()->update(r);
}

void TPTCustomTreeView::ScrollLines(int lines)
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines * bar->singleStep());
}

void TPTCustomTreeView::ScrollColumns(int columns)
{
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() + columns * bar->singleStep());
}

bool TPTCustomTreeView::CanScroll(Qt::Orientation orientation, int direction) const
{
    const QScrollBar* bar =
        orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    return direction < 0 ? bar->value() > bar->minimum() : bar->value() < bar->maximum();
}

// ---- drop highlight, editing, images, colour -----------------------------

void TPTCustomTreeView::SetDropTarget(TPTTreeNode* node)
{
    if (node == FDropTarget)
        return;
    TPTTreeNode* old = FDropTarget;
    FDropTarget = node;
    if (old)
        FModel->NodeChanged(old);
    if (node)
        FModel->NodeChanged(node);
}

void TPTCustomTreeView::EditCaption(TPTTreeNode* node)
{
    if (!node)
        return;
    const QModelIndex index = FModel->IndexOf(node);
    setCurrentIndex(index);
    edit(index);
}

void TPTCustomTreeView::SetDropsAccepted(bool accept)
{
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
}

void TPTCustomTreeView::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    FModel->SetEditable(!readOnly);
}

void TPTCustomTreeView::SetImages(TPTImageList* images)
{
    FImages.Set(images, this, [this] { viewport()->update(); });
    viewport()->update();
}

QColor TPTCustomTreeView::Color() const
{
    if (FColorRole != QPalette::NoRole)
        return QApplication::palette(this).color(FColorRole);
    return FColor;
}

void TPTCustomTreeView::SetColor(const QColor& color)
{
    FColor = color;
    FColorRole = QPalette::NoRole;
    ApplyColor();
}

void TPTCustomTreeView::SetSystemColor(QPalette::ColorRole role)
{
    FColorRole = role;
    ApplyColor();
}

void TPTCustomTreeView::ApplyColor()
{
    // The window colour of the system is what the view paints by default;
    // inheriting it keeps it current without any help.
    if (FColorRole == QPalette::Base) {
        setPalette(QPalette());
        return;
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Color());
    setPalette(pal);
}

bool TPTCustomTreeView::event(QEvent* event)
{
    const bool handled = TPTViewPane<QTreeView>::event(event);
    // Another system colour is re-read when the system's colours change.
    if (event->type() == QEvent::ApplicationPaletteChange && FColorRole != QPalette::NoRole &&
        FColorRole != QPalette::Base)
        ApplyColor();
    return handled;
}

// ---- custom draw ---------------------------------------------------------

std::unique_ptr<TPTCustomDraw> TPTCustomTreeView::CreateCustomDraw(TNMCustomDraw* record,
                                                                   uint32_t* result)
{
    return std::make_unique<TPTTvCustomDraw>(record, font(), result);
}

TPTCustomDraw* TPTCustomTreeView::PTCustomDraw(TNMCustomDraw& record, uint32_t& result)
{
    const bool isItem = (record.dwDrawStage & ptcd::ItemFlag) != 0;
    TPTTreeNode* node = isItem ? reinterpret_cast<TPTTreeNode*>(record.dwItemSpec) : nullptr;
    if (OnPTCustomDrawEx) {
        FCustomDraw = CreateCustomDraw(&record, &result);
        OnPTCustomDrawEx(this, *FCustomDraw, node);
    }
    if (OnPTCustomDraw && (record.dwDrawStage & ptcd::ItemPrePaint) == ptcd::ItemPrePaint) {
        if (!FCustomDraw)
            FCustomDraw = CreateCustomDraw(&record, &result);
        OnPTCustomDraw(this, *FCustomDraw, node);
    }
    if (FCustomDraw)
        FCustomDraw->Apply();
    // Item notifications cost a record per painted node; only ask for them
    // when somebody listens.
    if ((record.dwDrawStage & ptcd::PrePaint) && (OnPTCustomDraw || OnPTCustomDrawEx))
        result |= ptcd::NotifyItemDraw;
    return FCustomDraw.get();
}

uint32_t TPTCustomTreeView::CustomDrawNotify(TNMCustomDraw& record)
{
    FCustomDraw.reset();
    uint32_t result = 0;
    PTCustomDraw(record, result);
    return result;
}

QColor TPTCustomTreeView::DefaultTextColor(bool selected) const
{
    return selected ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text);
}

bool TPTCustomTreeView::HostPaintBegin(QWidget* viewport)
{
    QPainter painter(viewport);
    painter.setPen(DefaultTextColor(false));
    painter.setBackground(Color());
    painter.setFont(font());
    TNMTvCustomDraw record;
    record.dwDrawStage = ptcd::PrePaint;
    record.hdc = &painter;
    record.rc = viewport->rect();
    record.clrText = DefaultTextColor(false);
    record.clrTextBk = Color();
    const uint32_t result = CustomDrawNotify(record);
    FItemNotify = (result & ptcd::NotifyItemDraw) != 0;
    FPostPaintNotify = (result & ptcd::NotifyPostPaint) != 0;
    return (result & ptcd::SkipDefault) == 0;
}

void TPTCustomTreeView::HostPaintEnd(QWidget* viewport)
{
    FItemNotify = false;
    if (!FPostPaintNotify)
        return;
    FPostPaintNotify = false;
    QPainter painter(viewport);
    TNMTvCustomDraw record;
    record.dwDrawStage = ptcd::PostPaint;
    record.hdc = &painter;
    record.rc = viewport->rect();
    CustomDrawNotify(record);
}

void TPTCustomTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    TPTViewHost* host = Host();
    if (host->HostItemDrawBegin(painter, option.rect, index))
        QTreeView::drawRow(painter, option, index);
    host->HostItemDrawEnd(painter, option.rect, index);
}

bool TPTCustomTreeView::HostItemDrawBegin(QPainter* painter, const QRect& rect,
                                          const QModelIndex& index)
{
    FItemState = TPTItemDrawState();
    TPTTreeNode* node = FModel->NodeOf(index);
    if (!FItemNotify || !node)
        return true;
    const bool selected = selectionModel()->isSelected(index) || node == FDropTarget;
    TNMTvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPrePaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = reinterpret_cast<quintptr>(node);
    record.uItemState =
        (selected ? ptcd::StateSelected : 0u) | (currentIndex() == index ? ptcd::StateFocus : 0u);
    record.lItemlParam = node->Data();
    record.iLevel = node->Level();
    const QColor text = DefaultTextColor(selected);
    const QColor textBk = Color();
    record.clrText = text;
    record.clrTextBk = textBk;

    painter->save();
    painter->setPen(text);
    painter->setBackground(textBk);
    painter->setFont(font());
    const uint32_t result = CustomDrawNotify(record);
    FItemState.Active = true;
    FItemState.Row = index;
    FItemState.FontChanged = (result & ptcd::NewFont) != 0;
    FItemState.Font = painter->font();
    FItemState.TextChanged = record.clrText != text;
    FItemState.Text = record.clrText;
    FItemState.TextBkChanged = record.clrTextBk != textBk;
    FItemState.TextBk = record.clrTextBk;
    FItemState.PostPaint = (result & ptcd::NotifyPostPaint) != 0;
    painter->restore();
    return (result & ptcd::SkipDefault) == 0;
}

void TPTCustomTreeView::HostItemDrawEnd(QPainter* painter, const QRect& rect,
                                        const QModelIndex& index)
{
    const bool postPaint = FItemState.Active && FItemState.PostPaint;
    FItemState = TPTItemDrawState();
    TPTTreeNode* node = FModel->NodeOf(index);
    if (!postPaint || !node)
        return;
    TNMTvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPostPaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = reinterpret_cast<quintptr>(node);
    record.lItemlParam = node->Data();
    record.iLevel = node->Level();
    painter->save();
    CustomDrawNotify(record);
    painter->restore();
}

bool TPTCustomTreeView::HostItemDrawActive(const QModelIndex& index) const
{
    return FItemState.Active && FItemState.Row == index;
}

void TPTCustomTreeView::HostApplyItemOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const
{
    const TPTTreeNode* node = FModel->NodeOf(index);
    if (!node)
        return;
    if (node == FDropTarget)
        option->state |= QStyle::State_Selected;
    if (node->Cut() && !option->icon.isNull())
        option->icon = PTDimmedIcon(option->icon, option->decorationSize);
    if (!HostItemDrawActive(index))
        return;
    if (FItemState.FontChanged)
        option->font = FItemState.Font;
    if (FItemState.TextChanged) {
        option->palette.setColor(QPalette::Text, FItemState.Text);
        option->palette.setColor(QPalette::HighlightedText, FItemState.Text);
    }
    if (FItemState.TextBkChanged)
        option->backgroundBrush = FItemState.TextBk;
}

// ---- node hooks ----------------------------------------------------------

QIcon TPTCustomTreeView::NodeIcon(TPTTreeNode* node)
{
    if (!FImages)
        return {};
    const int image = node == Selected() ? GetSelectedIndex(node) : GetImageIndex(node);
    if (image < 0)
        return {};
    return FImages->Icon(image, TPTImageList::OverlayNumber(node->OverlayIndex()));
}

void TPTCustomTreeView::NodeEdited(TPTTreeNode* node, const QString& text)
{
    QString s = text;
    Edit(node, s);
}

void TPTCustomTreeView::NodeDeleting(TPTTreeNode* node)
{
    if (node == FDropTarget)
        FDropTarget = nullptr;
    Delete(node);
}

void TPTCustomTreeView::Change(TPTTreeNode* node)
{
    if (OnChange)
        OnChange(this, node);
}

bool TPTCustomTreeView::CanExpand(TPTTreeNode* node)
{
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, node, allow);
    return allow;
}

void TPTCustomTreeView::Expand(TPTTreeNode* node)
{
    if (OnExpanded)
        OnExpanded(this, node);
}

void TPTCustomTreeView::Collapse(TPTTreeNode* node)
{
    if (OnCollapsed)
        OnCollapsed(this, node);
}

void TPTCustomTreeView::Delete(TPTTreeNode* node)
{
    if (OnDeletion)
        OnDeletion(this, node);
}

bool TPTCustomTreeView::CanEdit(TPTTreeNode* node)
{
    if (FReadOnly)
        return false;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, node, allow);
    return allow;
}

void TPTCustomTreeView::Edit(TPTTreeNode* node, QString& text)
{
    if (OnEdited)
        OnEdited(this, node, text);
    node->SetText(text);
}

void TPTCustomTreeView::EditingEnded() {}

int TPTCustomTreeView::GetImageIndex(TPTTreeNode* node)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, node);
    return node->ImageIndex();
}

int TPTCustomTreeView::GetSelectedIndex(TPTTreeNode* node)
{
    if (OnGetSelectedIndex)
        OnGetSelectedIndex(this, node);
    return node->SelectedIndex();
}

void TPTCustomTreeView::BeginDrag(TPTTreeNode* node, Qt::MouseButton button)
{
    if (OnBeginDrag)
        OnBeginDrag(this, node, button);
}

bool TPTCustomTreeView::KeyDown(QKeyEvent* event)
{
    if (!IsContextMenuKey(event))
        return false;
    DoPreNodeContextMenu();
    return true;
}

void TPTCustomTreeView::MouseDown(QMouseEvent*) {}

void TPTCustomTreeView::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TPTCustomTreeView::DragEvent(QEvent*)
{
    return false;
}

bool TPTCustomTreeView::MouseWheel(QWheelEvent*)
{
    return false;
}

bool TPTCustomTreeView::HostDragEvent(QEvent* event)
{
    return DragEvent(event);
}

bool TPTCustomTreeView::HostWheel(QWheelEvent* event)
{
    return MouseWheel(event);
}

bool TPTCustomTreeView::HostKeyDown(QKeyEvent* event)
{
    return KeyDown(event);
}

void TPTCustomTreeView::HostMouseDown(QMouseEvent* event)
{
    MouseDown(event);
}

void TPTCustomTreeView::HostDblClick(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        DblClick();
}

void TPTCustomTreeView::HostBeginDrag(Qt::MouseButton button, const QModelIndex& index)
{
    if (TPTTreeNode* node = FModel->NodeOf(index))
        BeginDrag(node, button);
}

bool TPTCustomTreeView::HostCanEdit(const QModelIndex& index)
{
    TPTTreeNode* node = FModel->NodeOf(index);
    return node && CanEdit(node);
}

void TPTCustomTreeView::HostEditorClosed()
{
    EditingEnded();
}

// ---- context menu --------------------------------------------------------

void TPTCustomTreeView::HostRightButtonUp(const QPoint& clientPos)
{
    // The click on a node first, then the context-menu request that follows
    // the button-up, turned away when the click showed the menu. The flag is
    // cleared at the end of every click, so a stale flag never swallows the
    // menu of a later click.
    struct ClearShown {
        bool& flag;
        ~ClearShown() { flag = false; }
    } clear{FContextMenuShown};
    if (TPTTreeNode* node = NodeAt(clientPos)) {
        QMenu* menu = FPopupMenu;
        QPoint pos = clientPos;
        NodeContextMenu(node, pos, menu);
        PopupAt(menu, pos);
        FContextMenuShown = true;
    }
    ContextMenuMessage(clientPos);
}

void TPTCustomTreeView::HostContextMenu(const QPoint& clientPos)
{
    ContextMenuMessage(clientPos);
}

void TPTCustomTreeView::ContextMenuMessage(const QPoint& clientPos)
{
    TPTTreeNode* selected = Selected();
    if (!selected || FContextMenuShown)
        return;
    DoNodeContextMenu(selected, clientPos);
}

void TPTCustomTreeView::DoPreNodeContextMenu()
{
    TPTTreeNode* selected = Selected();
    if (!selected) {
        PopupAt(FPopupMenu, QPoint(0, 0));
        return;
    }
    const QRect r = NodeRect(selected, true);
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    DoNodeContextMenu(selected, QPoint((r.x() + right) / 2, (r.y() + bottom) / 2));
}

void TPTCustomTreeView::DoNodeContextMenu(TPTTreeNode* node, const QPoint& clientPos)
{
    QMenu* menu = FPopupMenu;
    QPoint pos = clientPos;
    NodeContextMenu(node, pos, menu);
    if (menu != FPopupMenu)
        FContextMenuShown = true;
    PopupAt(menu, pos);
}

void TPTCustomTreeView::NodeContextMenu(TPTTreeNode* node, QPoint& clientPos, QMenu*& menu)
{
    if (OnNodeContextMenu)
        OnNodeContextMenu(this, node, clientPos, menu);
}

void TPTCustomTreeView::PopupAt(QMenu* menu, const QPoint& clientPos)
{
    if (!menu)
        return;
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(this));
    menu->popup(viewport()->mapToGlobal(clientPos));
}
