// In-place renaming and new folders.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/ErrorText.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessageBox.h"
#include "shell/PTMessages.h"
#include "shell/fileops/PTShCreateNewFolder.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/TPTBusyCursor.h"

#include <QCoreApplication>
#include <QTimer>

namespace
{

// How long a deferred edit waits for the refresh that brings its folder.
constexpr int kDeferredEditRetryMs = 50;

} // namespace

bool TPTCustomShellList::CanEdit(TPTListItem& item)
{
    bool allow = false;
    PTEventGuard([&] {
        TPTShListData* data = GetDataFromItem(&item);
        allow = (!data || data->GetEditable()) && TPTCustomListView::CanEdit(item);
    });
    return allow;
}

void TPTCustomShellList::Edited(TPTListItem& item, QString& text)
{
    PTEventGuard([&] {
        TPTShListData* data = GetDataFromItem(&item);
        if (!data || !FFolderShellFolder) {
            TPTCustomListView::Edited(item, text);
            return;
        }
        if (OnEdited)
            OnEdited(this, &item, text);
        // An unchanged caption renames nothing: a name that is not UTF-8
        // shows substitutes, which must not become the new name.
        if (text.isEmpty() || text == item.Caption)
            return;
        TPTBusyCursor busy;
        FIgnoreNextChange = true;
        TIdListPtr renamed;
        // The whole name goes to the folder: cutting it would name another file.
        const HRESULT result = FFolderShellFolder->SetNameOf(this, data->RelativeIdList(), text,
                                                             SHGDN_INFOLDER, renamed.put());
        if (Failed(result) || !renamed) {
            FIgnoreNextChange = false;
            TPTMessageBoxRequest box;
            box.parent = this;
            box.icon = TPTMsgIcon::Warning;
            box.text = QStringLiteral("Cannot rename \"%1\" to \"%2\": %3")
                           .arg(item.Caption, text, ResultCodeText(result));
            PTMessageBox(box);
            return;
        }
        data->SetData(renamed.release());
        // Caption and column texts are asked again (the type may follow the
        // new extension).
        item.Caption.clear();
        item.SubItems.clear();
        InvalidateItem(IndexOf(&item));
    });
}

void TPTCustomShellList::EditingEnded()
{
    TPTCustomListView::EditingEnded();
    RunPendingRefresh();
}

bool TPTCustomShellList::CreateNewFolder(bool startEditing)
{
    if (FFolderPath.isEmpty())
        return false; // Computer, Trash: nothing to make a folder in
    FIgnoreNextChange = true;
    QString name;
    if (!PTShCreateNewFolder(FFolderPath, name)) {
        FIgnoreNextChange = false;
        return false;
    }
    // The folder exists once the call returns: no pause, and the refresh sees it.
    RefreshItems();
    if (startEditing) {
        FPendingEditName = name;
        QCoreApplication::postEvent(this, new TPTMessageEvent(AM_DEFERREDEDIT, 0, 0));
    }
    return true;
}

void TPTCustomShellList::DeferredEdit()
{
    if (FPendingEditName.isEmpty())
        return;
    for (int row = 0; row < ItemCount(); ++row) {
        TPTShListData* data = GetDataFromItem(&Item(row));
        if (data && data->GetDisplayName() == FPendingEditName) {
            FPendingEditName.clear();
            setFocus();
            ClearSelection();
            SetSelected(row, true);
            MakeVisible(row);
            EditCaption(row);
            return;
        }
    }
    // A refresh still listing in the background brings the folder later.
    if (IsListing() || FRefreshPending)
        QTimer::singleShot(kDeferredEditRetryMs, this, [this] {
            QCoreApplication::postEvent(this, new TPTMessageEvent(AM_DEFERREDEDIT, 0, 0));
        });
    else
        FPendingEditName.clear();
}
