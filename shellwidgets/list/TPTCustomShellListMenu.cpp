// The shell's context menus of the selection and of the listed folder, and
// the verbs the list runs through them.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/EPlatformError.h"
#include "shell/PTEventGuard.h"
#include "shell/dragdrop/TDataObject_shlv.h"
#include "shell/menus/TShellContextMenu.h"
#include "shell/menus/TShellMenu.h"
#include "shellwidgets/menus/SendToDrop.h"
#include "shellwidgets/menus/TPTShellPopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace
{

TPTCustomShellList::TPTShellMenuTracker& MenuTracker()
{
    static TPTCustomShellList::TPTShellMenuTracker tracker;
    return tracker;
}

constexpr std::uint32_t kRenameId =
    TPTCustomShellList::kFirstShellCommandId + TShellContextMenu::cmdRename;

} // namespace

TPTCustomShellList::TPTShellMenuTracker
TPTCustomShellList::SetShellMenuTracker(TPTShellMenuTracker tracker)
{
    return std::exchange(MenuTracker(), std::move(tracker));
}

std::vector<PCItemIDList> TPTCustomShellList::SelectedIdLists()
{
    std::vector<PCItemIDList> lists;
    for (int row : SelectedRows())
        if (TPTShListData* data = GetDataFromItem(&Item(row)))
            lists.push_back(data->RelativeIdList());
    return lists;
}

HRESULT TPTCustomShellList::GetUIObjectForItem(TPTListItem* item, REFIID iid, void** object)
{
    *object = nullptr;
    TPTShListData* data = item ? GetDataFromItem(item) : nullptr;
    if (!data || !FFolderShellFolder)
        return E_INVALIDARG;
    const PCItemIDList relative = data->RelativeIdList();
    return FFolderShellFolder->GetUIObjectOf(this, 1, &relative, iid, nullptr, object);
}

HRESULT TPTCustomShellList::GetUIObjectForAllSelected(REFIID iid, void** object)
{
    *object = nullptr;
    const std::vector<PCItemIDList> lists = SelectedIdLists();
    if (lists.empty() || !FFolderShellFolder)
        return E_FAIL;
    return FFolderShellFolder->GetUIObjectOf(this, std::uint32_t(lists.size()), lists.data(), iid,
                                             nullptr, object);
}

void TPTCustomShellList::RunVerb(IContextMenu* menu, const QString& verb)
{
    TCMInvokeCommandInfo info;
    info.hwnd = this;
    info.verb = verb;
    menu->InvokeCommand(info); // failures were shown by the menu
}

void TPTCustomShellList::DoCommandForItem(TPTListItem* item, const QString& verb)
{
    TComPtr<IContextMenu> menu;
    if (Succeeded(GetUIObjectForItem(item, IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        RunVerb(menu.get(), verb);
}

void TPTCustomShellList::DoCommandForAllSelected(const QString& verb)
{
    TComPtr<IContextMenu> menu;
    if (Succeeded(
            GetUIObjectForAllSelected(IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        RunVerb(menu.get(), verb);
}

void TPTCustomShellList::DoCommandForFolder(const QString& verb)
{
    // The folder's background menu: the same commands as the folder's own
    // item menu for "paste", and it exists for the desktop too.
    if (!FFolderShellFolder)
        throw EPlatformError(E_FAIL);
    TComPtr<IContextMenu> menu;
    CheckResult(FFolderShellFolder->GetUIObjectOf(this, 0, nullptr, IID_IContextMenu, nullptr,
                                                  reinterpret_cast<void**>(menu.put())));
    RunVerb(menu.get(), verb);
}

void TPTCustomShellList::PrepareSendTo(TShellMenu&) {}

void TPTCustomShellList::ProcessSendTo(int index)
{
    // The selected items, sent as a simulated drop on the entry.
    const std::vector<PCItemIDList> lists = SelectedIdLists();
    TComPtr<IDataObject> data;
    CheckResult(TDataObject_shlv::Create(FFolderShellFolder.get(), FFolderIdList,
                                         QList<PCItemIDList>(lists.begin(), lists.end()),
                                         data.put()));
    SendToEntry(data.get(), index, window());
}

std::uint32_t TPTCustomShellList::PopupShellMenu(const TShellMenu& description,
                                                 const QPoint& globalPos)
{
    if (MenuTracker())
        return MenuTracker()(this, description, globalPos);
    // The menu the tree shows too, with the library's Send To submenu.
    TPTShellPopupMenu popup(FActiveContextMenu, this);
    if (!popup.Build(FActiveMenuFlags))
        return 0;
    TPTShellPopupMenu::THintEvent hint;
    if (OnPopupHint)
        hint = [this](const QString& text) { OnPopupHint(this, text); };
    return std::uint32_t(std::max(0, popup.Exec(globalPos, hint)));
}

void TPTCustomShellList::TrackShellMenu(IContextMenu* menu, std::uint32_t flags,
                                        const QPoint& clientPos)
{
    TShellMenu description;
    CheckResult(
        menu->QueryContextMenu(&description, 0, kFirstShellCommandId, kLastShellCommandId, flags));
    PrepareSendTo(description);
    // No fill or refresh while the menu is up: the items it names stay.
    FInMenuOrDrag = true;
    FRefreshPending = false;
    FActiveContextMenu = menu;
    FActiveMenuFlags = flags;
    std::uint32_t id = 0;
    try {
        id = PopupShellMenu(description, ClientWidget()->mapToGlobal(clientPos));
    } catch (...) {
        FActiveContextMenu = nullptr;
        FInMenuOrDrag = false;
        throw;
    }
    FActiveContextMenu = nullptr;
    FInMenuOrDrag = false;
    if (id == kRenameId) {
        // The list renames in place, not through the shell's own rename.
        if (ItemFocused() >= 0)
            EditCaption(ItemFocused());
    } else if (id >= kFirstShellCommandId) {
        TCMInvokeCommandInfo info;
        info.hwnd = this;
        info.commandOffset = id - kFirstShellCommandId;
        menu->InvokeCommand(info);
    } else if (id > 0) {
        ProcessSendTo(int(id) - 1);
    }
    RunPendingRefresh();
}

void TPTCustomShellList::ProcessMenuForAllSelected(const QPoint& clientPos)
{
    TComPtr<IContextMenu> menu;
    if (Failed(GetUIObjectForAllSelected(IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        return;
    std::uint32_t flags = CMF_EXPLORE;
    const int focused = ItemFocused();
    TPTShListData* data = focused >= 0 ? GetDataFromItem(&Item(focused)) : nullptr;
    if (data && !data->GetPathName().isEmpty() && !ReadOnly())
        flags |= CMF_CANRENAME;
    TrackShellMenu(menu.get(), flags, clientPos);
}

void TPTCustomShellList::ProcessMenu(TPTListItem* item, const QPoint& clientPos)
{
    TComPtr<IContextMenu> menu;
    if (Failed(GetUIObjectForItem(item, IID_IContextMenu, reinterpret_cast<void**>(menu.put()))))
        return;
    TrackShellMenu(menu.get(), ReadOnly() ? CMF_EXPLORE : CMF_EXPLORE | CMF_CANRENAME, clientPos);
}

void TPTCustomShellList::ProcessFolderMenu(const QPoint& clientPos)
{
    if (!FFolderShellFolder)
        return;
    TComPtr<IContextMenu> menu;
    if (Failed(FFolderShellFolder->GetUIObjectOf(this, 0, nullptr, IID_IContextMenu, nullptr,
                                                 reinterpret_cast<void**>(menu.put()))))
        return;
    TrackShellMenu(menu.get(), CMF_EXPLORE, clientPos);
}

bool TPTCustomShellList::ShellMenusAllowed() const
{
    return FOptions.Has(ptsloContextMenus) && !FInMenuOrDrag;
}

void TPTCustomShellList::ItemContextMenu(TPTListItem* item, QPoint& clientPos, QMenu*& menu)
{
    TPTCustomListView::ItemContextMenu(item, clientPos, menu);
    if (!ShellMenusAllowed())
        return;
    menu = nullptr; // the shell's menu replaces the control's own
    PTEventGuard([&] { ProcessMenuForAllSelected(clientPos); });
}

void TPTCustomShellList::DoPreItemContextMenu(const QPoint& clientPos)
{
    // A click beside the items: the folder's own menu, unless the control
    // has a menu of its own for that.
    const bool onItems = ItemFocused() >= 0 && Selected() >= 0;
    if (!onItems && !PopupMenu() && ShellMenusAllowed()) {
        PTEventGuard([&] { ProcessFolderMenu(clientPos); });
        return;
    }
    TPTCustomListView::DoPreItemContextMenu(clientPos);
}

void TPTCustomShellList::RunPendingRefresh()
{
    // Later, once the menu, drag or editor that held it back is gone.
    QTimer::singleShot(0, this, [this] {
        PTEventGuard([this] {
            if (FRefreshPending && !FInMenuOrDrag && !IsEditing()) {
                FRefreshPending = false;
                RefreshItems();
            }
        });
    });
}
