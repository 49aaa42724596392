#pragma once

#include "controls/treelist/TPTTreeNode.h"

#include <QAbstractItemModel>

#include <functional>

class TPTTreeNodeProvider;

// The item model of the tree: a hierarchy of TPTTreeNode whose index
// pointers are the nodes themselves.
class TPTTreeModel : public QAbstractItemModel
{
    Q_OBJECT
  public:
    enum Roles { CutRole = Qt::UserRole + 1, OverlayRole };

    explicit TPTTreeModel(TPTTreeNodeProvider* provider, QObject* parent = nullptr);
    ~TPTTreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TPTTreeNode* Root() const { return FRoot.get(); }
    TPTTreeNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TPTTreeNode* node) const;

    // Adds a node as the last child (position -1) or at a position; a null
    // parent means the top level.
    TPTTreeNode* Add(TPTTreeNode* parent, const QString& text, int position = -1);
    // Removes a node; every node of its subtree passes the deletion hook
    // first, children before their parent, siblings in order.
    void Delete(TPTTreeNode* node);
    void DeleteChildren(TPTTreeNode* node);
    void Clear();
    void SortChildren(TPTTreeNode* node,
                      const std::function<bool(const TPTTreeNode*, const TPTTreeNode*)>& less);
    void NodeChanged(TPTTreeNode* node);
    void SetEditable(bool editable) { FEditable = editable; }

  private:
    void NotifyDeleting(TPTTreeNode* node);
    static void Renumber(TPTTreeNode* parent, int from);

    TPTTreeNodeProvider* FProvider;
    std::unique_ptr<TPTTreeNode> FRoot;
    bool FEditable = true;
};
