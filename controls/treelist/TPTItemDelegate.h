#pragma once

#include <QStyledItemDelegate>

class TPTViewHost;

// Paints the items of the tree and the list. The custom-draw answer of the
// owner decides per item whether the default drawing runs and with which
// font and colours; opening an editor asks the owner's editing veto first.
class TPTItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    TPTItemDelegate(TPTViewHost* host, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // The icon and the text rectangle of an item painted with the option.
    QRect IconRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    QRect TextRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    TPTViewHost* FHost;
};
