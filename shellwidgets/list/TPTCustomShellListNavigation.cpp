// Navigation and opening: folder items, folder shortcuts, going up, and the
// default command of files.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/FindData.h"
#include "shell/PTEventGuard.h"
#include "shell/menus/TShellMenu.h"
#include "shell/shell95/IContextMenu.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/TPTBusyCursor.h"

#include <algorithm>

void TPTCustomShellList::NavigateTo(PCItemIDList absolute)
{
    if (FOptions.Has(ptsloDontChangeFolder))
        return;
    // The locator's change tells the linked tree or combo and fills the list:
    // the one place where the list and its partners move together.
    FFolder.SetIdList(absolute);
}

void TPTCustomShellList::GoUp(int levels)
{
    if (FOptions.Has(ptsloDontChangeFolder) || levels <= 0)
        return;
    if (FShellTree) {
        FShellTree->GoUp(levels);
    } else if (FShellCombo) {
        FShellCombo->GoUp(levels);
    } else {
        const int count = IdListItemCount(FFolder.GetIdList());
        if (count == 0)
            return; // the desktop has no parent
        TIdListPtr up(IdListPrefix(FFolder.GetIdList(), std::max(0, count - levels)));
        FFolder.SetIdList(up.get());
    }
}

bool TPTCustomShellList::DblClickOpen()
{
    bool handled = false;
    if (OnDblClickOpen)
        OnDblClickOpen(this, handled);
    return !handled;
}

int TPTCustomShellList::ShellSelCount()
{
    int count = 0;
    for (int row : SelectedRows())
        if (ItemHasData(&Item(row)))
            ++count;
    return count;
}

void TPTCustomShellList::OpenItem(TPTListItem* item)
{
    if (!item)
        return;
    TPTShListData* data = GetDataFromItem(item);
    // A pending refresh may move or remove items: find the record again.
    Synchronize(true);
    if (!data) {
        DblClickOpen();
        return;
    }
    int row = 0;
    while (row < ItemCount() && GetDataFromItem(&Item(row)) != data)
        ++row;
    if (row == ItemCount())
        return; // gone with the refresh
    item = &Item(row);
    TPTBusyCursor busy;
    // Navigating clears the items, and the record with them.
    if (data->IsFolder()) {
        TIdListPtr target(CopyIdList(ShellIMalloc(), data->GetAbsoluteIdList()));
        NavigateTo(target.get());
        return;
    }
    if (data->IsLnkShortcut()) {
        TLinkData link;
        if (Succeeded(ResolveShortcut(data->GetPathName(), link, false)) &&
            (link.FindData.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            TIdListPtr target;
            if (Succeeded(ShellGetIdListFromPath(link.Path, target.put())) && target) {
                NavigateTo(target.get());
                return;
            }
        }
    }
    if (!DblClickOpen())
        return;
    TComPtr<IContextMenu> menu;
    if (Succeeded(GetUIObjectForItem(item, IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        InvokeDefaultCommand(menu.get());
}

void TPTCustomShellList::OpenSelectedItems()
{
    Synchronize(true);
    if (ShellSelCount() < 2) {
        const int row = Selected();
        if (row >= 0)
            OpenItem(&Item(row));
        return;
    }
    // Several items: their common default command, folders included.
    if (!DblClickOpen())
        return;
    TComPtr<IContextMenu> menu;
    if (Succeeded(
            GetUIObjectForAllSelected(IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        InvokeDefaultCommand(menu.get());
}

void TPTCustomShellList::InvokeDefaultCommand(IContextMenu* menu)
{
    TShellMenu description;
    if (Failed(menu->QueryContextMenu(&description, 0, kFirstShellCommandId, kLastShellCommandId,
                                      CMF_EXPLORE)))
        return;
    const std::uint32_t id = description.DefaultId();
    if (id < kFirstShellCommandId)
        return;
    TCMInvokeCommandInfo info;
    info.hwnd = this;
    info.commandOffset = id - kFirstShellCommandId;
    menu->InvokeCommand(info); // failures were shown by the menu
}

void TPTCustomShellList::DblClick()
{
    TPTCustomListView::DblClick();
    PTEventGuard([this] { OpenSelectedItems(); });
}
