#include "controls/treelist/TPTCustomListView.h"

// The items: adding, deleting, batching, sorting, and the hooks that
// complete an item on demand.

#include "controls/treelist/TPTListItemModel.h"

#include <vector>

int TPTCustomListView::ItemCount() const
{
    return FModel->Count();
}

TPTListItem& TPTCustomListView::Item(int row)
{
    return FModel->Item(row);
}

const TPTListItem& TPTCustomListView::Item(int row) const
{
    return FModel->Item(row);
}

int TPTCustomListView::IndexOf(const TPTListItem* item) const
{
    return FModel->RowOf(item);
}

int TPTCustomListView::AddItem()
{
    const int row = FModel->Add();
    InsertItem(FModel->Item(row));
    return row;
}

void TPTCustomListView::DeleteItem(int row)
{
    if (row < 0 || row >= FModel->Count())
        return;
    Delete(FModel->Item(row));
    if (FDropTarget == row)
        FDropTarget = -1;
    else if (FDropTarget > row)
        --FDropTarget;
    FModel->Delete(row);
}

void TPTCustomListView::ClearItems()
{
    for (int row = 0; row < FModel->Count(); ++row)
        Delete(FModel->Item(row));
    FDropTarget = -1;
    FModel->Clear();
}

void TPTCustomListView::BeginUpdate()
{
    FModel->BeginUpdate();
}

void TPTCustomListView::EndUpdate()
{
    FModel->EndUpdate();
}

void TPTCustomListView::SetAllocBy(int count)
{
    FModel->Reserve(FModel->Count() + count);
}

void TPTCustomListView::InvalidateItem(int row)
{
    FModel->ItemChanged(row);
}

void TPTCustomListView::CustomSort(
    const std::function<bool(const TPTListItem&, const TPTListItem&)>& less)
{
    FModel->Sort(less);
}

void TPTCustomListView::SortByColumnText(int column, bool ascending)
{
    // Each text is asked of the owner once, not once per comparison.
    const int count = FModel->Count();
    std::vector<QString> keys(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        keys[size_t(row)] = GetDispText(FModel->Item(row), column);
    const TPTListItem* first = count > 0 ? &FModel->Item(0) : nullptr;
    FModel->Sort([&](const TPTListItem& a, const TPTListItem& b) {
        const int c = QString::compare(keys[size_t(&a - first)], keys[size_t(&b - first)],
                                       Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
}

QString TPTCustomListView::ItemDispText(int row, int column)
{
    return GetDispText(FModel->Item(row), column);
}

QString TPTCustomListView::GetDispText(TPTListItem& item, int column)
{
    QString text;
    bool ask;
    if (column == 0) {
        text = item.Caption;
        ask = item.CaptionOnDemand;
    } else {
        if (column - 1 < item.SubItems.size())
            text = item.SubItems[column - 1];
        ask = text.isEmpty();
    }
    if (ask && OnGetDispText)
        OnGetDispText(this, &item, column, text);
    return text;
}

int TPTCustomListView::GetDispImage(TPTListItem& item)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, &item);
    return item.ImageIndex;
}

void TPTCustomListView::InsertItem(TPTListItem& item)
{
    if (OnInsert)
        OnInsert(this, &item);
}

void TPTCustomListView::Delete(TPTListItem& item)
{
    if (OnDeletion)
        OnDeletion(this, &item);
}
