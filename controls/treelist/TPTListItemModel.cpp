#include "controls/treelist/TPTListItemModel.h"

#include "controls/treelist/TPTListItemProvider.h"

#include <algorithm>
#include <numeric>

TPTListItemModel::TPTListItemModel(TPTListItemProvider* provider, QObject* parent)
    : QAbstractTableModel(parent), FProvider(provider)
{
}

int TPTListItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FVisible;
}

int TPTListItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max<int>(1, int(FColumns.size()));
}

QVariant TPTListItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FVisible || !FProvider)
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return FProvider->ItemDispText(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0)
            return FProvider->ItemDispIcon(row);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() > 0 && size_t(index.column()) < FColumns.size())
            return QVariant::fromValue(FColumns[size_t(index.column())].Alignment |
                                       Qt::AlignVCenter);
        return {};
    case CutRole:
        return FItems[size_t(row)].Cut;
    case DropHighlightRole:
        return FItems[size_t(row)].DropHighlighted;
    case OverlayRole:
        return FItems[size_t(row)].OverlayIndex;
    default:
        return {};
    }
}

bool TPTListItemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != 0 || index.row() >= FVisible ||
        !FProvider)
        return false;
    FProvider->ItemEdited(index.row(), value.toString());
    return true;
}

Qt::ItemFlags TPTListItemModel::flags(const QModelIndex& index) const
{
    // Called for every visible row while painting; keep it trivial.
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (FEditable && index.column() == 0)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TPTListItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= FColumns.size())
        return {};
    if (role == Qt::DisplayRole)
        return FColumns[size_t(section)].Caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(FColumns[size_t(section)].Alignment | Qt::AlignVCenter);
    return {};
}

int TPTListItemModel::RowOf(const TPTListItem* item) const
{
    if (!item || FItems.empty())
        return -1;
    const TPTListItem* first = FItems.data();
    if (item < first || item >= first + FItems.size())
        return -1;
    return int(item - first);
}

int TPTListItemModel::Add()
{
    const int row = int(FItems.size());
    if (FUpdateCount > 0) {
        FItems.emplace_back();
        return row;
    }
    beginInsertRows(QModelIndex(), row, row);
    FItems.emplace_back();
    FVisible = int(FItems.size());
    endInsertRows();
    return row;
}

void TPTListItemModel::Delete(int row)
{
    if (row < 0 || size_t(row) >= FItems.size())
        return;
    if (row >= FVisible) {
        FItems.erase(FItems.begin() + row);
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    FItems.erase(FItems.begin() + row);
    --FVisible;
    endRemoveRows();
}

void TPTListItemModel::Clear()
{
    beginResetModel();
    FItems.clear();
    FVisible = 0;
    endResetModel();
}

void TPTListItemModel::Reserve(int capacity)
{
    if (capacity > 0)
        FItems.reserve(size_t(capacity));
}

void TPTListItemModel::BeginUpdate()
{
    ++FUpdateCount;
}

void TPTListItemModel::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Flush();
}

void TPTListItemModel::Flush()
{
    const int total = int(FItems.size());
    if (total <= FVisible)
        return;
    beginInsertRows(QModelIndex(), FVisible, total - 1);
    FVisible = total;
    endInsertRows();
}

void TPTListItemModel::ItemChanged(int row)
{
    if (row >= 0 && row < FVisible)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TPTListItemModel::AllItemsChanged()
{
    if (FVisible > 0)
        emit dataChanged(index(0, 0), index(FVisible - 1, columnCount() - 1));
}

void TPTListItemModel::Sort(const std::function<bool(const TPTListItem&, const TPTListItem&)>& less)
{
    Flush();
    if (FItems.size() < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(FItems[size_t(a)], FItems[size_t(b)]); });
    std::vector<TPTListItem> sorted;
    sorted.reserve(FItems.capacity());
    std::vector<int> newRowOf(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(FItems[size_t(order[i])]));
        newRowOf[size_t(order[i])] = int(i);
    }
    FItems = std::move(sorted);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& old : persistent)
        moved.append(index(newRowOf[size_t(old.row())], old.column()));
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TPTListItemModel::SetColumns(const std::vector<TPTListColumn>& columns)
{
    const int oldCount = columnCount();
    const int newCount = std::max<int>(1, int(columns.size()));
    if (newCount > oldCount) {
        beginInsertColumns(QModelIndex(), oldCount, newCount - 1);
        FColumns = columns;
        endInsertColumns();
    } else if (newCount < oldCount) {
        beginRemoveColumns(QModelIndex(), newCount, oldCount - 1);
        FColumns = columns;
        endRemoveColumns();
    } else {
        FColumns = columns;
    }
    emit headerDataChanged(Qt::Horizontal, 0, newCount - 1);
}

void TPTListItemModel::SetColumnCaption(int column, const QString& caption)
{
    if (column < 0 || size_t(column) >= FColumns.size())
        return;
    FColumns[size_t(column)].Caption = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}
