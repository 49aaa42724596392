#include "controls/treelist/TPTDetailsPane.h"

TPTDetailsPane::TPTDetailsPane(QWidget* parent) : TPTViewPane<QTreeView>(parent)
{
    setObjectName(QStringLiteral("detailsPane"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

QStyleOptionViewItem TPTDetailsPane::ItemOption(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return option;
}

void TPTDetailsPane::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    TPTViewHost* host = Host();
    if (!host) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    if (host->HostItemDrawBegin(painter, option.rect, index))
        QTreeView::drawRow(painter, option, index);
    host->HostItemDrawEnd(painter, option.rect, index);
}
