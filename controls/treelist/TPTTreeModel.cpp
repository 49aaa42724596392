#include "controls/treelist/TPTTreeModel.h"

#include "controls/treelist/TPTTreeNodeProvider.h"

#include <algorithm>
#include <numeric>

TPTTreeModel::TPTTreeModel(TPTTreeNodeProvider* provider, QObject* parent)
    : QAbstractItemModel(parent), FProvider(provider), FRoot(new TPTTreeNode(nullptr, nullptr))
{
}

TPTTreeModel::~TPTTreeModel() = default;

TPTTreeNode* TPTTreeModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<TPTTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TPTTreeModel::IndexOf(const TPTTreeNode* node) const
{
    if (!node || node == FRoot.get())
        return {};
    return createIndex(node->FIndex, 0, const_cast<TPTTreeNode*>(node));
}

QModelIndex TPTTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const TPTTreeNode* p = parent.isValid() ? NodeOf(parent) : FRoot.get();
    if (column != 0 || row < 0 || row >= p->Count())
        return {};
    return createIndex(row, 0, p->Item(row));
}

QModelIndex TPTTreeModel::parent(const QModelIndex& child) const
{
    const TPTTreeNode* node = NodeOf(child);
    if (!node || node->FParent == FRoot.get())
        return {};
    return IndexOf(node->FParent);
}

int TPTTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const TPTTreeNode* p = parent.isValid() ? NodeOf(parent) : FRoot.get();
    return p->Count();
}

int TPTTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TPTTreeModel::hasChildren(const QModelIndex& parent) const
{
    const TPTTreeNode* p = parent.isValid() ? NodeOf(parent) : FRoot.get();
    return p->HasChildren();
}

QVariant TPTTreeModel::data(const QModelIndex& index, int role) const
{
    TPTTreeNode* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->Text();
    case Qt::DecorationRole:
        return FProvider->NodeIcon(node);
    case CutRole:
        return node->Cut();
    case OverlayRole:
        return node->OverlayIndex();
    default:
        return {};
    }
}

bool TPTTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TPTTreeNode* node = NodeOf(index);
    if (!node || role != Qt::EditRole)
        return false;
    FProvider->NodeEdited(node, value.toString());
    return true;
}

Qt::ItemFlags TPTTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (FEditable)
        f |= Qt::ItemIsEditable;
    return f;
}

void TPTTreeModel::Renumber(TPTTreeNode* parent, int from)
{
    for (int i = std::max(0, from); i < parent->Count(); ++i)
        parent->FChildren[size_t(i)]->FIndex = i;
}

TPTTreeNode* TPTTreeModel::Add(TPTTreeNode* parent, const QString& text, int position)
{
    TPTTreeNode* p = parent ? parent : FRoot.get();
    if (position < 0 || position > p->Count())
        position = p->Count();
    beginInsertRows(IndexOf(p), position, position);
    auto node = std::unique_ptr<TPTTreeNode>(new TPTTreeNode(this, p));
    node->FText = text;
    TPTTreeNode* raw = node.get();
    p->FChildren.insert(p->FChildren.begin() + position, std::move(node));
    Renumber(p, position);
    endInsertRows();
    return raw;
}

void TPTTreeModel::NotifyDeleting(TPTTreeNode* node)
{
    for (int i = 0; i < node->Count(); ++i)
        NotifyDeleting(node->Item(i));
    FProvider->NodeDeleting(node);
}

void TPTTreeModel::Delete(TPTTreeNode* node)
{
    if (!node || node == FRoot.get())
        return;
    NotifyDeleting(node);
    TPTTreeNode* p = node->FParent;
    const int row = node->FIndex;
    beginRemoveRows(IndexOf(p), row, row);
    std::unique_ptr<TPTTreeNode> gone = std::move(p->FChildren[size_t(row)]);
    p->FChildren.erase(p->FChildren.begin() + row);
    Renumber(p, row);
    endRemoveRows();
}

void TPTTreeModel::DeleteChildren(TPTTreeNode* node)
{
    TPTTreeNode* p = node ? node : FRoot.get();
    if (p->Count() == 0)
        return;
    for (int i = 0; i < p->Count(); ++i)
        NotifyDeleting(p->Item(i));
    beginRemoveRows(IndexOf(p), 0, p->Count() - 1);
    std::vector<std::unique_ptr<TPTTreeNode>> gone = std::move(p->FChildren);
    p->FChildren.clear();
    endRemoveRows();
}

void TPTTreeModel::Clear()
{
    for (int i = 0; i < FRoot->Count(); ++i)
        NotifyDeleting(FRoot->Item(i));
    beginResetModel();
    FRoot->FChildren.clear();
    endResetModel();
}

void TPTTreeModel::SortChildren(
    TPTTreeNode* node, const std::function<bool(const TPTTreeNode*, const TPTTreeNode*)>& less)
{
    TPTTreeNode* p = node ? node : FRoot.get();
    if (p->Count() < 2)
        return;
    const QPersistentModelIndex parentIndex = IndexOf(p);
    emit layoutAboutToBeChanged({parentIndex}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<TPTTreeNode*> before;
    for (const QModelIndex& idx : persistent)
        before.push_back(NodeOf(idx));
    std::stable_sort(p->FChildren.begin(), p->FChildren.end(),
                     [&](const std::unique_ptr<TPTTreeNode>& a,
                         const std::unique_ptr<TPTTreeNode>& b) { return less(a.get(), b.get()); });
    Renumber(p, 0);
    QModelIndexList moved;
    for (TPTTreeNode* n : before)
        moved.append(IndexOf(n));
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({parentIndex}, QAbstractItemModel::VerticalSortHint);
}

void TPTTreeModel::NodeChanged(TPTTreeNode* node)
{
    const QModelIndex idx = IndexOf(node);
    if (idx.isValid())
        emit dataChanged(idx, idx);
}
