#pragma once

#include "controls/treelist/TPTListColumn.h"
#include "controls/treelist/TPTListItem.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

class TPTListItemProvider;

// The one model behind all four styles of the list. Items live in a flat
// vector; between BeginUpdate and EndUpdate appended items are announced to
// the views in one batch, which keeps filling a hundred thousand items cheap.
class TPTListItemModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    enum Roles { CutRole = Qt::UserRole + 1, DropHighlightRole, OverlayRole };

    explicit TPTListItemModel(TPTListItemProvider* provider, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int Count() const { return int(FItems.size()); }
    TPTListItem& Item(int row) { return FItems[size_t(row)]; }
    const TPTListItem& Item(int row) const { return FItems[size_t(row)]; }
    int RowOf(const TPTListItem* item) const;

    int Add();
    void Delete(int row);
    void Clear();
    void Reserve(int capacity);
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    void ItemChanged(int row);
    void AllItemsChanged();

    // Orders the items; the selection and the focus move with their items.
    void Sort(const std::function<bool(const TPTListItem&, const TPTListItem&)>& less);

    const std::vector<TPTListColumn>& Columns() const { return FColumns; }
    void SetColumns(const std::vector<TPTListColumn>& columns);
    void SetColumnCaption(int column, const QString& caption);

    void SetEditable(bool editable) { FEditable = editable; }
    // The control is going away: texts, icons and edits are no longer asked of it.
    void DetachProvider() { FProvider = nullptr; }

  private:
    void Flush();

    TPTListItemProvider* FProvider;
    std::vector<TPTListItem> FItems;
    std::vector<TPTListColumn> FColumns;
    int FVisible = 0; // rows the views know of; the rest waits for EndUpdate
    int FUpdateCount = 0;
    bool FEditable = true;
};
