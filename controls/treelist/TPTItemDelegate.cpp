#include "controls/treelist/TPTItemDelegate.h"

#include "controls/treelist/TPTViewHost.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QStyle>

TPTItemDelegate::TPTItemDelegate(TPTViewHost* host, QObject* parent)
    : QStyledItemDelegate(parent), FHost(host)
{
}

void TPTItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    // The tree and the details view bracket a whole row; the icon views have
    // one cell per item, so the item stages run here.
    if (FHost->HostItemDrawActive(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    if (FHost->HostItemDrawBegin(painter, option.rect, index))
        QStyledItemDelegate::paint(painter, option, index);
    FHost->HostItemDrawEnd(painter, option.rect, index);
}

QSize TPTItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // In the icon styles an item keeps to its grid cell; a longer caption is
    // wrapped or elided instead of running into its neighbours.
    const QSize hint = QStyledItemDelegate::sizeHint(option, index);
    const auto* list = qobject_cast<const QListView*>(option.widget);
    if (list && list->gridSize().isValid())
        return hint.boundedTo(list->gridSize() - QSize(2, 2));
    return hint;
}

QWidget* TPTItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    if (!FHost->HostCanEdit(index))
        return nullptr;
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void TPTItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    FHost->HostApplyItemOption(option, index);
}

QRect TPTItemDelegate::IconRect(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    QStyledItemDelegate::initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
}

QRect TPTItemDelegate::TextRect(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    QStyledItemDelegate::initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
}
