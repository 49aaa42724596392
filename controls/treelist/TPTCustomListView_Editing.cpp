#include "controls/treelist/TPTCustomListView.h"

// In-place caption editing: the veto, the edited text, the end of an edit.

#include "controls/treelist/TPTDetailsPane.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTListPane.h"

bool TPTCustomListView::IsEditing() const
{
    return FViewStyle == vsReport ? FDetailsPane->IsEditing() : FListPane->IsEditing();
}

void TPTCustomListView::EditCaption(int row)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    const QModelIndex index = FModel->index(row, 0);
    ActiveView()->setCurrentIndex(index);
    ActiveView()->edit(index);
}

void TPTCustomListView::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    FModel->SetEditable(!readOnly);
}

bool TPTCustomListView::CanEdit(TPTListItem& item)
{
    if (FReadOnly)
        return false;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, &item, allow);
    return allow;
}

void TPTCustomListView::Edited(TPTListItem& item, QString& text)
{
    if (OnEdited)
        OnEdited(this, &item, text);
    item.Caption = text;
    item.CaptionOnDemand = false;
    FModel->ItemChanged(FModel->RowOf(&item));
}

void TPTCustomListView::EditingEnded() {}

void TPTCustomListView::ItemEdited(int row, const QString& text)
{
    QString s = text;
    Edited(FModel->Item(row), s);
}

bool TPTCustomListView::HostCanEdit(const QModelIndex& index)
{
    return index.isValid() && index.row() < FModel->Count() && CanEdit(FModel->Item(index.row()));
}

void TPTCustomListView::HostEditorClosed()
{
    EditingEnded();
}
