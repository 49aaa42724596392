#include "controls/treelist/TPTCustomListView.h"

// Construction and teardown, the four view styles and the colour.

#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTItemDelegate.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"

#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

constexpr int LargeGridWidth = 80;
constexpr int LargeGridHeight = 72;
constexpr int SmallIconWidth = 160;

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
    DestroyItems();
    FCustomDraw.reset();
}

void TPTCustomListView::DestroyItems()
{
    // The owner may be half destroyed already: no selection events from here on.
    Selection()->disconnect(this);
    // Nor anything the panes report later: a list that is its own window still
    // commits an open editor when ~QWidget closes that window.
    FListPane->SetHost(nullptr);
    FDetailsPane->SetHost(nullptr);
    FModel->DetachProvider();
    ClearItems();
}

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

void TPTCustomListView::SetViewStyle(TViewStyle style)
{
    if (style == FViewStyle)
        return;
    const bool hadFocus = ActiveView()->hasFocus();
    FViewStyle = style;
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

void TPTCustomListView::SetListColumnWidth(int width)
{
    FListColumnWidth = std::max(16, width);
    if (FViewStyle == vsList)
        ConfigureListPane();
}

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
