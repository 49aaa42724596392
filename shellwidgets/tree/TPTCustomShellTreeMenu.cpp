// The tree's shell context menu, Send To and the commands of a node.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/EPlatformError.h"
#include "shell/PTEventGuard.h"
#include "shell/dragdrop/TDataObject_shtv.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/IContextMenu.h"
#include "shell/utils/IdList.h"
#include "shellwidgets/menus/SendToDrop.h"
#include "shellwidgets/menus/SendToSubmenu.h"
#include "shellwidgets/menus/ShellMenuCommands.h"
#include "shellwidgets/menus/TPTShellPopupMenu.h"

namespace
{

// The shell's Rename command: the tree edits the caption in place instead.
constexpr int kRenameCommandId = kFirstShellCommandId + 18;

// The shell menu of a node's object, from its parent folder; null when the
// node has no record or parent, or the folder has no menu for it.
TComPtr<IContextMenu> contextMenuOf(TPTShTreeData* data, HWND owner, HRESULT* result = nullptr)
{
    TComPtr<IContextMenu> menu;
    HRESULT hr = E_FAIL;
    if (data && data->ParentData()) {
        if (TComPtr<IShellFolder> parent = data->GetParentIShf()) {
            PCItemIDList item = data->RelPidl();
            hr = parent->GetUIObjectOf(owner, 1, &item, IID_IContextMenu, nullptr, menu.putVoid());
        }
    }
    if (result)
        *result = hr;
    return Succeeded(hr) ? menu : nullptr;
}

} // namespace

void TPTCustomShellTree::NodeContextMenu(TPTTreeNode* node, QPoint& clientPos, QMenu*& menu)
{
    TPTCustomTreeView::NodeContextMenu(node, clientPos, menu);
    if (!(FOptions & ptstoContextMenus) || !node)
        return;
    menu = nullptr;
    const QPoint at = clientPos;
    PTEventGuard([&] { ProcessMenu(node, at); });
}

void TPTCustomShellTree::ProcessMenu(TPTTreeNode* node, const QPoint& clientPos)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data || FInMenuOrDrag || IdListIsEmpty(data->GetAbsPidl()))
        return;
    TComPtr<IContextMenu> contextMenu = contextMenuOf(data, window());
    if (!contextMenu)
        return;
    TPTShellPopupMenu popup(contextMenu.get(), this);
    if (!popup.Build(CMF_EXPLORE | (ReadOnly() ? 0 : CMF_CANRENAME)))
        return;
    // Refreshes asked for while the menu or its command runs wait until the end.
    struct MenuScope {
        TPTCustomShellTree* tree;
        ~MenuScope() { tree->SetInMenuOrDrag(false); }
    } scope{this};
    SetInMenuOrDrag(true);
    TPTShellPopupMenu::THintEvent hint;
    if (OnPopupHint)
        hint = [this](const QString& text) { OnPopupHint(this, text); };
    const int id = popup.Exec(viewport()->mapToGlobal(clientPos), hint);
    if (id == kRenameCommandId) {
        EditCaption(node);
    } else if (id >= kFirstShellCommandId) {
        InvokeShellMenuCommand(contextMenu.get(), std::uint32_t(id - kFirstShellCommandId),
                               window());
        RefreshNodes();
    } else if (id > 0) {
        ProcessSendTo(node, id - 1);
    }
}

void TPTCustomShellTree::ProcessSendTo(TPTTreeNode* node, int index)
{
    TComPtr<IDataObject> dataObject;
    TPTShTreeData* data = GetDataFromNode(node);
    TComPtr<IShellFolder> parent = data ? data->GetParentIShf() : nullptr;
    if (data && parent)
        CheckResult(TDataObject_shtv::Create(parent.get(), data->ParentData()->GetAbsPidl(),
                                             data->RelPidl(), dataObject.put()));
    else
        CheckResult(TDataObject_shtv::Create(nullptr, nullptr, nullptr, dataObject.put()));
    SendToEntry(dataObject.get(), index, window());
}

HRESULT TPTCustomShellTree::DoCommandForNode(TPTTreeNode* node, const QString& verb)
{
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data || !data->ParentData())
        return S_FALSE;
    HRESULT hr = E_FAIL;
    TComPtr<IContextMenu> contextMenu = contextMenuOf(data, window(), &hr);
    if (!contextMenu)
        RaisePlatformError(hr);
    const HRESULT result = InvokeShellMenuVerb(contextMenu.get(), verb, window());
    RefreshNodes();
    return result;
}
