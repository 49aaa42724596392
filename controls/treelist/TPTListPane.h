#pragma once

#include "controls/treelist/TPTViewPane.h"

#include <QListView>

// The view behind the large icon, small icon and list styles of the list.
// All three are laid out in list mode with a fixed grid, which keeps the
// layout of a hundred thousand items linear and cheap; only the large icon
// style puts the icon above its caption.
class TPTListPane : public TPTViewPane<QListView>
{
  public:
    explicit TPTListPane(QWidget* parent = nullptr);

    void SetIconsAbove(bool above) { FIconsAbove = above; }
    QStyleOptionViewItem ItemOption(const QModelIndex& index) const;

  protected:
    void initViewItemOption(QStyleOptionViewItem* option) const override;

  private:
    bool FIconsAbove = false;
};
