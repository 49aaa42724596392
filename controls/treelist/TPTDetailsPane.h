#pragma once

#include "controls/treelist/TPTViewPane.h"

#include <QTreeView>

// The view behind the details style: a flat tree view with uniform rows and
// the list's own header. A row is one item for custom draw.
class TPTDetailsPane : public TPTViewPane<QTreeView>
{
  public:
    explicit TPTDetailsPane(QWidget* parent = nullptr);

    QStyleOptionViewItem ItemOption(const QModelIndex& index) const;

  protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
};
