#include "controls/combo/TPTImageComboDelegate.h"

#include "controls/combo/TPTCustomImageCombo.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

TPTImageComboDelegate::TPTImageComboDelegate(TPTCustomImageCombo* aCombo)
    : QAbstractItemDelegate(aCombo), FCombo(aCombo)
{
}

void TPTImageComboDelegate::paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
                                  const QModelIndex& aIndex) const
{
    TPTCustomImageCombo::TPTOwnerDrawState state = 0;
    if (aOption.state & QStyle::State_Selected)
        state |= TPTCustomImageCombo::odSelected;
    if (aOption.state & QStyle::State_HasFocus)
        state |= TPTCustomImageCombo::odFocus;
    aPainter->save();
    FCombo->PaintItem(*aPainter, aIndex.row(), aOption.rect, state);
    aPainter->restore();
}

QSize TPTImageComboDelegate::sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex&) const
{
    return QSize(aOption.rect.width(), FCombo->ItemHeight());
}
