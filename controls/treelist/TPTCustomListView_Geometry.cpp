#include "controls/treelist/TPTCustomListView.h"

// Item rectangles, hit tests and scrolling, in client coordinates.

#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTItemDelegate.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"

#include <QScrollBar>

int TPTCustomListView::ItemAt(const QPoint& clientPos) const
{
    const QModelIndex index = ActiveView()->indexAt(clientPos);
    return index.isValid() ? index.row() : -1;
}

QRect TPTCustomListView::ItemRect(int row, TDisplayCode code) const
{
    if (row < 0 || row >= FModel->rowCount())
        return {};
    const QModelIndex index = FModel->index(row, 0);
    if (FViewStyle == vsReport)
        FDetailsPane->ForceLayout();
    else
        FListPane->ForceLayout();
    QStyleOptionViewItem option =
        FViewStyle == vsReport ? FDetailsPane->ItemOption(index) : FListPane->ItemOption(index);
    switch (code) {
    case drIcon:
        return FDelegate->IconRect(option, index);
    case drLabel:
        return FDelegate->TextRect(option, index);
    case drBounds:
    case drSelectBounds:
        if (FViewStyle == vsReport)
            return QRect(option.rect.x(), option.rect.y(), FHeader->length(), option.rect.height());
        return option.rect;
    }
    return option.rect;
}

void TPTCustomListView::MakeVisible(int row)
{
    if (row >= 0 && row < FModel->rowCount())
        ActiveView()->scrollTo(FModel->index(row, 0));
}

void TPTCustomListView::ScrollLines(int lines)
{
    QScrollBar* bar = ActiveView()->verticalScrollBar();
    bar->setValue(bar->value() + lines * bar->singleStep());
}

void TPTCustomListView::ScrollColumns(int columns)
{
    QScrollBar* bar = ActiveView()->horizontalScrollBar();
    bar->setValue(bar->value() + columns * bar->singleStep());
}

bool TPTCustomListView::CanScroll(Qt::Orientation orientation, int direction) const
{
    const QScrollBar* bar = orientation == Qt::Vertical ? ActiveView()->verticalScrollBar()
                                                        : ActiveView()->horizontalScrollBar();
    return direction < 0 ? bar->value() > bar->minimum() : bar->value() < bar->maximum();
}
