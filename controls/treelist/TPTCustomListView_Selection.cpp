#include "controls/treelist/TPTCustomListView.h"

// Selection and focus; both panes share one selection model.

#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"

#include <algorithm>

QItemSelectionModel* TPTCustomListView::Selection() const
{
    return FListPane->selectionModel();
}

int TPTCustomListView::ItemFocused() const
{
    const QModelIndex current = Selection()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TPTCustomListView::SetItemFocused(int row)
{
    if (row < 0 || row >= FModel->rowCount()) {
        Selection()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    Selection()->setCurrentIndex(FModel->index(row, 0), QItemSelectionModel::NoUpdate);
}

bool TPTCustomListView::IsSelected(int row) const
{
    return row >= 0 && row < FModel->rowCount() && Selection()->isSelected(FModel->index(row, 0));
}

void TPTCustomListView::SetSelected(int row, bool selected)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    QItemSelectionModel::SelectionFlags flags =
        selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
    if (selected && !FMultiSelect)
        flags = QItemSelectionModel::ClearAndSelect;
    Selection()->select(FModel->index(row, 0), flags | QItemSelectionModel::Rows);
}

int TPTCustomListView::Selected() const
{
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

int TPTCustomListView::SelCount() const
{
    return int(SelectedRows().size());
}

std::vector<int> TPTCustomListView::SelectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : Selection()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TPTCustomListView::SelectAll()
{
    const int rows = FModel->rowCount();
    if (rows == 0 || !FMultiSelect)
        return;
    Selection()->select(QItemSelection(FModel->index(0, 0), FModel->index(rows - 1, 0)),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TPTCustomListView::ClearSelection()
{
    Selection()->clearSelection();
}

void TPTCustomListView::SetMultiSelect(bool multi)
{
    FMultiSelect = multi;
    const auto mode =
        multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    FListPane->setSelectionMode(mode);
    FDetailsPane->setSelectionMode(mode);
}

void TPTCustomListView::SelectionChanged()
{
    if (OnSelectionChanged)
        OnSelectionChanged(this);
}
