#include "controls/treelist/TPTCustomListView.h"

#include "controls/treelist/PTHeaderGlyphs.h"
#include "controls/treelist/PTIconUtils.h"
#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTItemDelegate.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"
#include "controls/treelist/TPTLvCustomDraw.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

constexpr int LargeGridWidth = 80;
constexpr int LargeGridHeight = 72;
constexpr int SmallIconWidth = 160;

unsigned JustifyBits(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return pthdf::Right;
    if (alignment & Qt::AlignHCenter)
        return pthdf::Center;
    return pthdf::Left;
}

} // namespace

TPTCustomListView::TPTCustomListView(QWidget* parent)
    : QWidget(parent), FModel(new TPTListItemModel(this, this)), FStack(new QStackedWidget(this)),
      FListPane(new TPTListPane(FStack)), FDetailsPane(new TPTDetailsPane(FStack)),
      FHeader(new TPTHeaderView(FDetailsPane)), FDelegate(new TPTItemDelegate(this, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FStack);
    FStack->addWidget(FListPane);
    FStack->addWidget(FDetailsPane);

    FListPane->SetHost(this);
    FDetailsPane->SetHost(this);
    FDetailsPane->setHeader(FHeader);
    FListPane->setItemDelegate(FDelegate);
    FDetailsPane->setItemDelegate(FDelegate);
    FListPane->setModel(FModel);
    FDetailsPane->setModel(FModel);
    // Both views share one selection, so a style switch keeps it.
    QItemSelectionModel* unused = FDetailsPane->selectionModel();
    FDetailsPane->setSelectionModel(FListPane->selectionModel());
    delete unused;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FListPane),
                                    static_cast<QAbstractItemView*>(FDetailsPane)})
        view->setSelectionBehavior(QAbstractItemView::SelectRows);

    connect(Selection(), &QItemSelectionModel::selectionChanged, this,
            [this] { SelectionChanged(); });
    connect(FHeader, &QHeaderView::sectionClicked, this, [this](int section) {
        FHeader->viewport()->update();
        ColClick(section);
    });
    FHeader->IsOwnerDrawn = [this](int section) {
        return (HeaderItemFormat(section) & pthdf::OwnerDraw) != 0;
    };
    FHeader->OwnerDraw = [this](QPainter* p, int section, const QRect& r) {
        PaintHeaderSection(p, section, r);
    };

    setFocusPolicy(Qt::StrongFocus);
    ConfigureListPane();
    FStack->setCurrentWidget(FListPane);
    setFocusProxy(FListPane);
}

TPTCustomListView::~TPTCustomListView()
{
    // The owner may be half destroyed already: no selection events from here on.
    Selection()->disconnect(this);
    // Nor anything the panes report later: a list that is its own window still
    // commits an open editor when ~QWidget closes that window.
    FListPane->SetHost(nullptr);
    FDetailsPane->SetHost(nullptr);
    FModel->DetachProvider();
    FCustomDraw.reset();
}

// ---- items ---------------------------------------------------------------

int TPTCustomListView::ItemCount() const
{
    return FModel->Count();
}

TPTListItem& TPTCustomListView::Item(int row)
{
    return FModel->Item(row);
}

const TPTListItem& TPTCustomListView::Item(int row) const
{
    return FModel->Item(row);
}

int TPTCustomListView::IndexOf(const TPTListItem* item) const
{
    return FModel->RowOf(item);
}

int TPTCustomListView::AddItem()
{
    const int row = FModel->Add();
    InsertItem(FModel->Item(row));
    return row;
}

void TPTCustomListView::DeleteItem(int row)
{
    if (row < 0 || row >= FModel->Count())
        return;
    Delete(FModel->Item(row));
    if (FDropTarget == row)
        FDropTarget = -1;
    else if (FDropTarget > row)
        --FDropTarget;
    FModel->Delete(row);
}

void TPTCustomListView::ClearItems()
{
    for (int row = 0; row < FModel->Count(); ++row)
        Delete(FModel->Item(row));
    FDropTarget = -1;
    FModel->Clear();
}

void TPTCustomListView::BeginUpdate()
{
    FModel->BeginUpdate();
}

void TPTCustomListView::EndUpdate()
{
    FModel->EndUpdate();
}

void TPTCustomListView::SetAllocBy(int count)
{
    FModel->Reserve(FModel->Count() + count);
}

void TPTCustomListView::InvalidateItem(int row)
{
    FModel->ItemChanged(row);
}

void TPTCustomListView::CustomSort(
    const std::function<bool(const TPTListItem&, const TPTListItem&)>& less)
{
    FModel->Sort(less);
}

void TPTCustomListView::SortByColumnText(int column, bool ascending)
{
    // Each text is asked of the owner once, not once per comparison.
    const int count = FModel->Count();
    std::vector<QString> keys(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        keys[size_t(row)] = GetDispText(FModel->Item(row), column);
    const TPTListItem* first = count > 0 ? &FModel->Item(0) : nullptr;
    FModel->Sort([&](const TPTListItem& a, const TPTListItem& b) {
        const int c = QString::compare(keys[size_t(&a - first)], keys[size_t(&b - first)],
                                       Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
}

// ---- selection and focus -------------------------------------------------

QItemSelectionModel* TPTCustomListView::Selection() const
{
    return FListPane->selectionModel();
}

int TPTCustomListView::ItemFocused() const
{
    const QModelIndex current = Selection()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TPTCustomListView::SetItemFocused(int row)
{
    if (row < 0 || row >= FModel->rowCount()) {
        Selection()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    Selection()->setCurrentIndex(FModel->index(row, 0), QItemSelectionModel::NoUpdate);
}

bool TPTCustomListView::IsSelected(int row) const
{
    return row >= 0 && row < FModel->rowCount() && Selection()->isSelected(FModel->index(row, 0));
}

void TPTCustomListView::SetSelected(int row, bool selected)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    QItemSelectionModel::SelectionFlags flags =
        selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
    if (selected && !FMultiSelect)
        flags = QItemSelectionModel::ClearAndSelect;
    Selection()->select(FModel->index(row, 0), flags | QItemSelectionModel::Rows);
}

int TPTCustomListView::Selected() const
{
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

int TPTCustomListView::SelCount() const
{
    return int(SelectedRows().size());
}

std::vector<int> TPTCustomListView::SelectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : Selection()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TPTCustomListView::SelectAll()
{
    const int rows = FModel->rowCount();
    if (rows == 0 || !FMultiSelect)
        return;
    Selection()->select(QItemSelection(FModel->index(0, 0), FModel->index(rows - 1, 0)),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TPTCustomListView::ClearSelection()
{
    Selection()->clearSelection();
}

void TPTCustomListView::SetMultiSelect(bool multi)
{
    FMultiSelect = multi;
    const auto mode =
        multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    FListPane->setSelectionMode(mode);
    FDetailsPane->setSelectionMode(mode);
}

// ---- geometry and scrolling ----------------------------------------------

QAbstractItemView* TPTCustomListView::ActiveView() const
{
    if (FViewStyle == vsReport)
        return FDetailsPane;
    return FListPane;
}

QWidget* TPTCustomListView::ClientWidget() const
{
    return ActiveView()->viewport();
}

int TPTCustomListView::ItemAt(const QPoint& clientPos) const
{
    const QModelIndex index = ActiveView()->indexAt(clientPos);
    return index.isValid() ? index.row() : -1;
}

QRect TPTCustomListView::ItemRect(int row, TDisplayCode code) const
{
    if (row < 0 || row >= FModel->rowCount())
        return {};
    const QModelIndex index = FModel->index(row, 0);
    if (FViewStyle == vsReport)
        FDetailsPane->ForceLayout();
    else
        FListPane->ForceLayout();
    QStyleOptionViewItem option =
        FViewStyle == vsReport ? FDetailsPane->ItemOption(index) : FListPane->ItemOption(index);
    switch (code) {
    case drIcon:
        return FDelegate->IconRect(option, index);
    case drLabel:
        return FDelegate->TextRect(option, index);
    case drBounds:
    case drSelectBounds:
        if (FViewStyle == vsReport)
            return QRect(option.rect.x(), option.rect.y(), FHeader->length(), option.rect.height());
        return option.rect;
    }
    return option.rect;
}

void TPTCustomListView::MakeVisible(int row)
{
    if (row >= 0 && row < FModel->rowCount())
        ActiveView()->scrollTo(FModel->index(row, 0));
}

void TPTCustomListView::ScrollLines(int lines)
{
    QScrollBar* bar = ActiveView()->verticalScrollBar();
    bar->setValue(bar->value() + lines * bar->singleStep());
}

void TPTCustomListView::ScrollColumns(int columns)
{
    QScrollBar* bar = ActiveView()->horizontalScrollBar();
    bar->setValue(bar->value() + columns * bar->singleStep());
}

bool TPTCustomListView::CanScroll(Qt::Orientation orientation, int direction) const
{
    const QScrollBar* bar = orientation == Qt::Vertical ? ActiveView()->verticalScrollBar()
                                                        : ActiveView()->horizontalScrollBar();
    return direction < 0 ? bar->value() > bar->minimum() : bar->value() < bar->maximum();
}

// ---- drop highlight and editing ------------------------------------------

void TPTCustomListView::SetDropTarget(int row)
{
    if (row >= FModel->Count())
        row = -1;
    if (row == FDropTarget)
        return;
    const int old = FDropTarget;
    FDropTarget = row;
    if (old >= 0) {
        FModel->Item(old).DropHighlighted = false;
        FModel->ItemChanged(old);
    }
    if (row >= 0) {
        FModel->Item(row).DropHighlighted = true;
        FModel->ItemChanged(row);
    }
}

bool TPTCustomListView::IsEditing() const
{
    return FViewStyle == vsReport ? FDetailsPane->IsEditing() : FListPane->IsEditing();
}

void TPTCustomListView::EditCaption(int row)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    const QModelIndex index = FModel->index(row, 0);
    ActiveView()->setCurrentIndex(index);
    ActiveView()->edit(index);
}

void TPTCustomListView::SetDropsAccepted(bool accept)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FListPane),
                                    static_cast<QAbstractItemView*>(FDetailsPane)}) {
        view->setAcceptDrops(accept);
        view->viewport()->setAcceptDrops(accept);
    }
}

void TPTCustomListView::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    FModel->SetEditable(!readOnly);
}

// ---- styles and images ---------------------------------------------------

void TPTCustomListView::SetViewStyle(TViewStyle style)
{
    if (style == FViewStyle)
        return;
    const bool hadFocus = ActiveView()->hasFocus();
    FViewStyle = style;
    FIconCache.clear();
    if (style == vsReport) {
        FStack->setCurrentWidget(FDetailsPane);
        SetHeaderODStyle();
    } else {
        ConfigureListPane();
        FStack->setCurrentWidget(FListPane);
    }
    // Lay out now rather than on the next pass of the event loop, so that the
    // geometry asked right after a switch is that of the new style.
    if (style == vsReport)
        FDetailsPane->ForceLayout();
    else
        FListPane->ForceLayout();
    setFocusProxy(ActiveView());
    if (hadFocus)
        ActiveView()->setFocus();
    const QModelIndex current = Selection()->currentIndex();
    if (current.isValid())
        ActiveView()->scrollTo(current);
}

void TPTCustomListView::ConfigureListPane()
{
    const int rowHeight = std::max(fontMetrics().height(), 16) + 4;
    FListPane->setWrapping(true);
    switch (FViewStyle) {
    case vsIcon:
        FListPane->setFlow(QListView::LeftToRight);
        FListPane->setIconSize(QSize(32, 32));
        FListPane->setGridSize(QSize(LargeGridWidth, LargeGridHeight));
        FListPane->setWordWrap(true);
        FListPane->SetIconsAbove(true);
        break;
    case vsSmallIcon:
        FListPane->setFlow(QListView::LeftToRight);
        FListPane->setIconSize(QSize(16, 16));
        FListPane->setGridSize(QSize(SmallIconWidth, rowHeight));
        FListPane->setWordWrap(false);
        FListPane->SetIconsAbove(false);
        break;
    case vsList:
    case vsReport:
        FListPane->setFlow(QListView::TopToBottom);
        FListPane->setIconSize(QSize(16, 16));
        FListPane->setGridSize(QSize(FListColumnWidth, rowHeight));
        FListPane->setWordWrap(false);
        FListPane->SetIconsAbove(false);
        break;
    }
}

void TPTCustomListView::SetSmallImages(TPTImageProvider images)
{
    FSmallImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetLargeImages(TPTImageProvider images)
{
    FLargeImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetOverlayImages(TPTImageProvider images)
{
    FOverlayImages = std::move(images);
    FIconCache.clear();
    FModel->AllItemsChanged();
}

void TPTCustomListView::SetListColumnWidth(int width)
{
    FListColumnWidth = std::max(16, width);
    if (FViewStyle == vsList)
        ConfigureListPane();
}

// ---- columns -------------------------------------------------------------

void TPTCustomListView::SetColumns(const std::vector<TPTListColumn>& columns)
{
    FModel->SetColumns(columns);
    for (size_t i = 0; i < columns.size(); ++i)
        FHeader->resizeSection(int(i), columns[i].Width);
    SetHeaderODStyle();
}

int TPTCustomListView::ColumnCount() const
{
    return int(FModel->Columns().size());
}

TPTListColumn TPTCustomListView::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        return {};
    TPTListColumn column = FModel->Columns()[size_t(index)];
    column.Width = ColumnWidth(index);
    return column;
}

int TPTCustomListView::ColumnWidth(int index) const
{
    return index >= 0 && index < FHeader->count() ? FHeader->sectionSize(index) : 0;
}

void TPTCustomListView::SetColumnWidth(int index, int width)
{
    if (index >= 0 && index < FHeader->count())
        FHeader->resizeSection(index, width);
}

// ---- colour --------------------------------------------------------------

QColor TPTCustomListView::Color() const
{
    if (FColorRole != QPalette::NoRole)
        return palette().color(FColorRole);
    return FColor;
}

void TPTCustomListView::SetColor(const QColor& color)
{
    FColor = color;
    FColorRole = QPalette::NoRole;
    ApplyColor();
}

void TPTCustomListView::SetSystemColor(QPalette::ColorRole role)
{
    FColorRole = role;
    ApplyColor();
}

void TPTCustomListView::ApplyColor()
{
    const QColor color = Color();
    for (QWidget* view : {static_cast<QWidget*>(FListPane), static_cast<QWidget*>(FDetailsPane)}) {
        QPalette pal = view->palette();
        pal.setColor(QPalette::Base, color);
        view->setPalette(pal);
    }
}

void TPTCustomListView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The icon styles' rows are as high as the font.
    if (event->type() == QEvent::FontChange && FViewStyle != vsReport)
        ConfigureListPane();
    // A system colour is re-read when the palette changes.
    if ((event->type() == QEvent::PaletteChange ||
         event->type() == QEvent::ApplicationPaletteChange) &&
        FColorRole != QPalette::NoRole)
        ApplyColor();
}

// ---- custom draw ---------------------------------------------------------

std::unique_ptr<TPTCustomDraw> TPTCustomListView::CreateCustomDraw(TNMCustomDraw* record,
                                                                   uint32_t* result)
{
    return std::make_unique<TPTLvCustomDraw>(record, font(), result);
}

TPTListItem* TPTCustomListView::ItemFromSpec(quintptr spec)
{
    const int row = int(spec);
    return row >= 0 && row < FModel->Count() ? &FModel->Item(row) : nullptr;
}

TPTCustomDraw* TPTCustomListView::PTCustomDraw(TNMCustomDraw& record, uint32_t& result)
{
    const bool isItem = (record.dwDrawStage & ptcd::ItemFlag) != 0;
    TPTListItem* item = nullptr;
    bool looked = false;
    auto find = [&] {
        if (!looked && isItem)
            item = ItemFromSpec(record.dwItemSpec);
        looked = true;
    };
    if (OnPTCustomDrawEx) {
        FCustomDraw = CreateCustomDraw(&record, &result);
        find();
        OnPTCustomDrawEx(this, *FCustomDraw, item);
    }
    if (OnPTCustomDraw && (record.dwDrawStage & ptcd::ItemPrePaint) == ptcd::ItemPrePaint) {
        if (!FCustomDraw)
            FCustomDraw = CreateCustomDraw(&record, &result);
        find();
        OnPTCustomDraw(this, *FCustomDraw, item);
    }
    if (FCustomDraw)
        FCustomDraw->Apply();
    if (record.dwDrawStage & ptcd::PrePaint)
        result |= ptcd::NotifyItemDraw;
    return FCustomDraw.get();
}

uint32_t TPTCustomListView::CustomDrawNotify(TNMCustomDraw& record)
{
    FCustomDraw.reset();
    uint32_t result = 0;
    PTCustomDraw(record, result);
    return result;
}

QColor TPTCustomListView::DefaultTextColor(bool selected) const
{
    const QPalette& pal = ActiveView()->palette();
    return selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
}

bool TPTCustomListView::HostPaintBegin(QWidget* viewport)
{
    QPainter painter(viewport);
    painter.setPen(DefaultTextColor(false));
    painter.setBackground(Color());
    painter.setFont(font());
    TNMLvCustomDraw record;
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

void TPTCustomListView::HostPaintEnd(QWidget* viewport)
{
    FItemNotify = false;
    if (!FPostPaintNotify)
        return;
    FPostPaintNotify = false;
    QPainter painter(viewport);
    painter.setPen(DefaultTextColor(false));
    painter.setBackground(Color());
    painter.setFont(font());
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::PostPaint;
    record.hdc = &painter;
    record.rc = viewport->rect();
    CustomDrawNotify(record);
}

bool TPTCustomListView::HostItemDrawBegin(QPainter* painter, const QRect& rect,
                                          const QModelIndex& index)
{
    FItemState = TPTItemDrawState();
    if (!FItemNotify)
        return true;
    const int row = index.row();
    const bool selected =
        Selection()->isSelected(FModel->index(row, 0)) || FModel->Item(row).DropHighlighted;
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPrePaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = quintptr(row);
    record.uItemState = (selected ? ptcd::StateSelected : 0u) |
                        (Selection()->currentIndex().row() == row ? ptcd::StateFocus : 0u);
    record.lItemlParam = FModel->Item(row).Data;
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
    FItemState.Row = FModel->index(row, 0);
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

void TPTCustomListView::HostItemDrawEnd(QPainter* painter, const QRect& rect,
                                        const QModelIndex& index)
{
    const bool postPaint = FItemState.Active && FItemState.PostPaint;
    FItemState = TPTItemDrawState();
    if (!postPaint)
        return;
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPostPaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = quintptr(index.row());
    record.lItemlParam = FModel->Item(index.row()).Data;
    painter->save();
    CustomDrawNotify(record);
    painter->restore();
}

bool TPTCustomListView::HostItemDrawActive(const QModelIndex& index) const
{
    return FItemState.Active && FItemState.Row.row() == index.row();
}

void TPTCustomListView::HostApplyItemOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const
{
    const TPTListItem& item = FModel->Item(index.row());
    if (item.DropHighlighted)
        option->state |= QStyle::State_Selected;
    if (item.Cut && index.column() == 0 && !option->icon.isNull())
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

// ---- item hooks ----------------------------------------------------------

QString TPTCustomListView::ItemDispText(int row, int column)
{
    return GetDispText(FModel->Item(row), column);
}

QIcon TPTCustomListView::ItemDispIcon(int row)
{
    TPTListItem& item = FModel->Item(row);
    const int image = GetDispImage(item);
    const bool large = FViewStyle == vsIcon;
    const TPTImageProvider& images = large ? FLargeImages : FSmallImages;
    if (image < 0 || !images)
        return {};
    const int overlay = FOverlayImages ? item.OverlayIndex : -1;
    const quint64 key =
        (quint64(quint32(image)) << 32) | (quint64(quint16(overlay + 1)) << 1) | (large ? 1 : 0);
    auto cached = FIconCache.constFind(key);
    if (cached != FIconCache.constEnd())
        return *cached;
    QIcon icon = images(image);
    if (overlay >= 0)
        icon = PTIconWithOverlay(icon, FOverlayImages(overlay), large ? 32 : 16);
    FIconCache.insert(key, icon);
    return icon;
}

void TPTCustomListView::ItemEdited(int row, const QString& text)
{
    QString s = text;
    Edited(FModel->Item(row), s);
}

QString TPTCustomListView::GetDispText(TPTListItem& item, int column)
{
    QString text;
    bool ask;
    if (column == 0) {
        text = item.Caption;
        ask = item.CaptionOnDemand;
    } else {
        if (column - 1 < item.SubItems.size())
            text = item.SubItems[column - 1];
        ask = text.isEmpty();
    }
    if (ask && OnGetDispText)
        OnGetDispText(this, &item, column, text);
    return text;
}

int TPTCustomListView::GetDispImage(TPTListItem& item)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, &item);
    return item.ImageIndex;
}

void TPTCustomListView::InsertItem(TPTListItem& item)
{
    if (OnInsert)
        OnInsert(this, &item);
}

void TPTCustomListView::Delete(TPTListItem& item)
{
    if (OnDeletion)
        OnDeletion(this, &item);
}

bool TPTCustomListView::CanEdit(TPTListItem& item)
{
    if (FReadOnly)
        return false;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, &item, allow);
    return allow;
}

void TPTCustomListView::Edited(TPTListItem& item, QString& text)
{
    if (OnEdited)
        OnEdited(this, &item, text);
    item.Caption = text;
    item.CaptionOnDemand = false;
    FModel->ItemChanged(FModel->RowOf(&item));
}

void TPTCustomListView::EditingEnded() {}

void TPTCustomListView::ColClick(int column)
{
    if (OnColumnClick)
        OnColumnClick(this, column);
}

void TPTCustomListView::BeginDrag(TPTListItem* item, Qt::MouseButton button)
{
    if (OnBeginDrag)
        OnBeginDrag(this, item, button);
}

void TPTCustomListView::SelectionChanged()
{
    if (OnSelectionChanged)
        OnSelectionChanged(this);
}

bool TPTCustomListView::KeyDown(QKeyEvent* event)
{
    if (!IsContextMenuKey(event))
        return false;
    DoPreItemContextMenu(QPoint(0, 0));
    return true;
}

void TPTCustomListView::MouseDown(QMouseEvent*) {}

void TPTCustomListView::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TPTCustomListView::DragEvent(QEvent*)
{
    return false;
}

bool TPTCustomListView::MouseWheel(QWheelEvent*)
{
    return false;
}

bool TPTCustomListView::HostDragEvent(QEvent* event)
{
    return DragEvent(event);
}

bool TPTCustomListView::HostWheel(QWheelEvent* event)
{
    return MouseWheel(event);
}

bool TPTCustomListView::HostKeyDown(QKeyEvent* event)
{
    return KeyDown(event);
}

void TPTCustomListView::HostMouseDown(QMouseEvent* event)
{
    MouseDown(event);
}

void TPTCustomListView::HostDblClick(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        DblClick();
}

void TPTCustomListView::HostBeginDrag(Qt::MouseButton button, const QModelIndex& index)
{
    if (!index.isValid() || index.row() >= FModel->Count())
        return;
    BeginDrag(&FModel->Item(index.row()), button);
}

bool TPTCustomListView::HostCanEdit(const QModelIndex& index)
{
    return index.isValid() && index.row() < FModel->Count() && CanEdit(FModel->Item(index.row()));
}

void TPTCustomListView::HostEditorClosed()
{
    EditingEnded();
}

// ---- context menu --------------------------------------------------------

void TPTCustomListView::HostRightButtonUp(const QPoint& clientPos)
{
    // A right click: the item step first, then the context-menu request that
    // follows the button-up, which the step's flag turns away so that one
    // click shows one menu; the flag is cleared at the end in every case.
    struct ClearShown {
        bool& flag;
        ~ClearShown() { flag = false; }
    } clear{FContextMenuShown};
    DoPreItemContextMenu(clientPos);
    ContextMenuMessage(clientPos, false);
}

void TPTCustomListView::HostContextMenu(const QPoint& clientPos)
{
    ContextMenuMessage(clientPos, false);
}

void TPTCustomListView::ContextMenuMessage(const QPoint& clientPos, bool fromKeyboard)
{
    if (FContextMenuShown || Selected() < 0 || ItemFocused() < 0)
        return;
    if (fromKeyboard)
        DoPreItemContextMenu(QPoint(0, 0));
    else
        DoItemContextMenu(clientPos);
}

QPoint TPTCustomListView::ItemIconCentre(int row) const
{
    const QRect r = ItemRect(row, drIcon);
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    return QPoint((r.x() + right) / 2, (r.y() + bottom) / 2);
}

void TPTCustomListView::DoPreItemContextMenu(const QPoint& clientPos)
{
    const int focused = ItemFocused();
    if (focused < 0) {
        PopupAt(FPopupMenu, clientPos);
        return;
    }
    if (IsSelected(focused)) {
        DoItemContextMenu(ItemIconCentre(focused));
        return;
    }
    const int first = Selected();
    if (first >= 0)
        DoItemContextMenu(ItemIconCentre(first));
    else
        PopupAt(FPopupMenu, clientPos);
}

void TPTCustomListView::DoItemContextMenu(const QPoint& clientPos)
{
    QMenu* menu = FPopupMenu;
    QPoint pos = clientPos;
    const int focused = ItemFocused();
    ItemContextMenu(focused >= 0 ? &FModel->Item(focused) : nullptr, pos, menu);
    FContextMenuShown = true;
    PopupAt(menu, pos);
}

void TPTCustomListView::ItemContextMenu(TPTListItem* item, QPoint& clientPos, QMenu*& menu)
{
    if (OnItemContextMenu)
        OnItemContextMenu(this, item, clientPos, menu);
}

void TPTCustomListView::PopupAt(QMenu* menu, const QPoint& clientPos)
{
    if (!menu)
        return;
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(this));
    menu->popup(ClientWidget()->mapToGlobal(clientPos));
}

// ---- header --------------------------------------------------------------

unsigned TPTCustomListView::HeaderItemFormat(int index) const
{
    if (index < 0 || size_t(index) >= FHeaderFormats.size())
        return 0;
    return FHeaderFormats[size_t(index)];
}

void TPTCustomListView::SetHeaderODStyle()
{
    if (FHeaderStyleLock > 0)
        return;
    ++FHeaderStyleLock;
    const std::vector<TPTListColumn>& columns = FModel->Columns();
    FHeaderFormats.assign(columns.size(), 0);
    for (size_t i = columns.size(); i-- > 0;) {
        const unsigned kind = FHeaderSortDisplayMode != ptlvNone ? pthdf::OwnerDraw : pthdf::String;
        FHeaderFormats[i] = (JustifyBits(columns[i].Alignment) & pthdf::JustifyMask) | kind;
    }
    FHeader->viewport()->update();
    --FHeaderStyleLock;
}

QRect TPTCustomListView::ArrowBox(const QRect& textRect)
{
    return PTArrowBox(textRect);
}

void TPTCustomListView::SetHeaderSortColumn(int index)
{
    if (index == FHeaderSortColumn)
        return;
    if (FHeaderSortColumn >= 0)
        FHeader->InvalidateSection(FHeaderSortColumn);
    FHeader->InvalidateSection(index);
    FHeaderSortColumn = index;
}

void TPTCustomListView::SetHeaderSortDirection(TPTLvSortDirection direction)
{
    if (direction == FHeaderSortDirection)
        return;
    if (FHeaderSortColumn >= 0)
        FHeader->InvalidateSection(FHeaderSortColumn);
    FHeaderSortDirection = direction;
}

void TPTCustomListView::SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode mode)
{
    if (mode == FHeaderSortDisplayMode)
        return;
    // The owner-drawn header needs a header control of version 4.70 or later,
    // which every supported platform reports.
    FHeaderSortDisplayMode = mode;
    SetHeaderODStyle();
    FHeader->viewport()->update();
}

void TPTCustomListView::SetHeaderDefaultDrawing(bool value)
{
    if (value == FHeaderDefaultDrawing)
        return;
    FHeaderDefaultDrawing = value;
    FHeader->viewport()->update();
}

void TPTCustomListView::PaintHeaderSection(QPainter* painter, int index, const QRect& rect)
{
    // The canvas is attached only while one header item is painted, and
    // detached again whatever the drawing does.
    struct Detach {
        QPainter*& canvas;
        ~Detach() { canvas = nullptr; }
    } detach{FHeaderCanvas};
    FHeaderCanvas = painter;
    DrawHeader(index, rect);
}

void TPTCustomListView::DrawHeader(int index, const QRect& rect)
{
    if (!FHeaderCanvas)
        return;
    FHeaderCanvas->setFont(font());
    FHeaderCanvas->setBrush(FHeader->palette().color(QPalette::Button));
    const QRect r = rect.adjusted(2, 2, -2, -2);
    if (FHeaderDefaultDrawing)
        DefaultDrawHeader(index, r);
}

void TPTCustomListView::DrawHeaderCaption(int index, const QRect& textRect)
{
    if (textRect.width() <= 0)
        return;
    const TPTListColumn column = Column(index);
    const QString text =
        FHeaderCanvas->fontMetrics().elidedText(column.Caption, Qt::ElideRight, textRect.width());
    FHeaderCanvas->setPen(FHeader->palette().color(QPalette::ButtonText));
    FHeaderCanvas->drawText(textRect,
                            int(column.Alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter |
                                Qt::TextSingleLine,
                            text);
}

void TPTCustomListView::DefaultDrawHeader(int index, const QRect& rect)
{
    QPainter* canvas = FHeaderCanvas;
    if (!canvas)
        return;
    canvas->fillRect(rect, canvas->brush());
    QRect t = rect.adjusted(4, 0, -4, 0);
    const bool rightAligned =
        (JustifyBits(Column(index).Alignment) & pthdf::JustifyMask) == pthdf::Right;
    switch (FHeaderSortDisplayMode) {
    case ptlvNone:
        DrawHeaderCaption(index, t);
        break;
    case ptlvLeftAlign:
        if (index == FHeaderSortColumn && ColumnWidth(index) > 15) {
            const QRect b = ArrowBox(t);
            DrawHeaderGlyphs(index, b);
            t.setLeft(b.x() + b.width() + 5);
        }
        DrawHeaderCaption(index, t);
        break;
    case ptlvRightOfText:
        if (!rightAligned) {
            DrawHeaderCaption(index, t);
            const QString caption = Column(index).Caption;
            const QString shown =
                canvas->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(0, t.width()));
            const int width =
                std::min(canvas->fontMetrics().horizontalAdvance(shown), std::max(0, t.width()));
            t = QRect(t.x() + width + 5, t.y(), width, t.height());
            DrawHeaderGlyphs(index, ArrowBox(t));
            break;
        }
        [[fallthrough]];
    case ptlvRightAlign: {
        QRect b = ArrowBox(t);
        b.translate(t.width() - b.width() - 5, 0);
        DrawHeaderGlyphs(index, b);
        if (index == FHeaderSortColumn)
            t.setRight(b.x() - 4 - 1);
        DrawHeaderCaption(index, t);
        break;
    }
    }
}

void TPTCustomListView::DrawHeaderGlyphs(int index, const QRect& box)
{
    if (index != FHeaderSortColumn || !FHeaderCanvas)
        return;
    if (ColumnWidth(index) <= 2 * box.width())
        return;
    const QPalette& pal = FHeader->palette();
    if (FHeaderSortDirection == ptsdDesc)
        DrawUpArrow(*FHeaderCanvas, box, pal.color(QPalette::Button), pal.color(QPalette::Dark),
                    pal.color(QPalette::Light));
    else
        DrawDownArrow(*FHeaderCanvas, box, pal.color(QPalette::Button), pal.color(QPalette::Dark),
                      pal.color(QPalette::Light));
}
