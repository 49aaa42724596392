#include "controls/treelist/TPTItemDelegate.h"

#include "controls/treelist/TPTViewHost.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

TPTItemDelegate::TPTItemDelegate(TPTViewHost* host, QObject* parent)
    : QStyledItemDelegate(parent)
    , FHost(host)
{
}

void TPTItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
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
