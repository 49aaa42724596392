#include "controls/treelist/TPTListPane.h"

TPTListPane::TPTListPane(QWidget* parent) : TPTViewPane<QListView>(parent)
{
    setObjectName(QStringLiteral("iconPane"));
    setViewMode(QListView::ListMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setLayoutMode(QListView::SinglePass);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

QStyleOptionViewItem TPTListPane::ItemOption(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return option;
}

void TPTListPane::initViewItemOption(QStyleOptionViewItem* option) const
{
    QListView::initViewItemOption(option);
    if (FIconsAbove) {
        option->decorationPosition = QStyleOptionViewItem::Top;
        option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        option->features |= QStyleOptionViewItem::WrapText;
        option->textElideMode = Qt::ElideRight;
    }
}
