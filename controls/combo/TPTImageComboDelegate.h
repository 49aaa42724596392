#pragma once

#include <QAbstractItemDelegate>

class TPTCustomImageCombo;

// Draws the drop-down entries of an image combo through the combo's own drawing,
// so that both parts of the control share one geometry.
class TPTImageComboDelegate : public QAbstractItemDelegate
{
    Q_OBJECT

  public:
    explicit TPTImageComboDelegate(TPTCustomImageCombo* aCombo);

    void paint(QPainter* aPainter, const QStyleOptionViewItem& aOption,
               const QModelIndex& aIndex) const override;
    QSize sizeHint(const QStyleOptionViewItem& aOption, const QModelIndex& aIndex) const override;

  private:
    TPTCustomImageCombo* FCombo;
};
