// Renaming, new folders, keys and the shell commands of a node.

#include "shellwidgets/tree/TPTCustomShellTree.h"

#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/fileops/PTShCreateNewFolder.h"
#include "shell/fileops/ShellFileVerbs.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/ShellShortCuts.h"
#include "shell/utils/TIdListPtr.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"
#include "shellwidgets/links/IPTLinkedShellList.h"

#include <QKeyEvent>

// ---- editing, keys, commands ---------------------------------------------

bool TPTCustomShellTree::CanEdit(TPTTreeNode* node)
{
    bool allow = false;
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        allow = (!data || data->GetEditable()) && TPTCustomTreeView::CanEdit(node);
    });
    return allow;
}

void TPTCustomShellTree::Edit(TPTTreeNode* node, QString& text)
{
    PTEventGuard([&] {
        TPTShTreeData* data = GetDataFromNode(node);
        if (!data) {
            TPTCustomTreeView::Edit(node, text);
            return;
        }
        if (OnEdited)
            OnEdited(this, node, text);
        // An unchanged caption renames nothing: a name that is not UTF-8
        // shows substitutes, which must not become the new name.
        if (text == node->Text() || text.isEmpty())
            return;
        TPTBusyCursor busy;
        TComPtr<IShellFolder> parent = data->GetParentIShf();
        if (!parent)
            return;
        FIgnoreNextChange = true;
        TPTCounterLock sync(FSyncLock);
        // The whole name goes to the folder: cutting it would name another file.
        TIdListPtr newItem;
        if (Failed(parent->SetNameOf(this, data->RelPidl(), text, SHGDN_INFOLDER, newItem.put())) ||
            !newItem) {
            FIgnoreNextChange = false;
            return;
        }
        FlushBelow(node);
        data->SetRelPidl(newItem.get());
        node->SetText(ShellGetFriendlyNameFromIdList(parent.get(), newItem.get(), ptfnInFolder));
        if (FWatches.contains(node))
            FWatches[node] = FileNameFromString(data->GetPathName());
        if (node == Selected()) {
            FSelectedFolder.SetIdList(data->GetAbsPidl());
            if (FShellList)
                FShellList->SetFolder(data->GetAbsPidl());
            if (FShellCombo)
                FShellCombo->SetSelectedFolder(data->GetAbsPidl());
        }
    });
}

void TPTCustomShellTree::EditingEnded()
{
    TPTCustomTreeView::EditingEnded();
    // A refresh asked for while the caption was edited runs once the editor
    // is gone.
    QTimer::singleShot(0, this, [this] {
        PTEventGuard([this] {
            if (FRefreshPending && !IsEditingCaption() && !FInMenuOrDrag) {
                FRefreshPending = false;
                RefreshNodes();
            }
        });
    });
}

void TPTCustomShellTree::FlushBelow(TPTTreeNode* node)
{
    for (int i = 0; i < node->Count(); ++i) {
        TPTTreeNode* child = node->Item(i);
        if (TPTShTreeData* data = GetDataFromNode(child))
            data->Flush();
        FlushBelow(child);
    }
    if (TPTShTreeData* data = GetDataFromNode(node))
        data->Flush();
}

bool TPTCustomShellTree::CreateNewFolder(bool)
{
    TPTTreeNode* node = Selected();
    TPTShTreeData* data = GetDataFromNode(node);
    if (!data)
        return false;
    const QString path = data->GetPathName();
    if (path.isEmpty())
        return false;
    FIgnoreNextChange = true;
    QString name;
    if (!PTShCreateNewFolder(path, name)) {
        FIgnoreNextChange = false;
        return false;
    }
    // The folder exists once the call returns: no need to wait for its notice.
    RefreshNodes();
    node = Selected();
    if (!node)
        return true;
    TPTCustomTreeView::ExpandNode(node);
    for (int i = 0; i < node->Count(); ++i)
        if (node->Item(i)->Text() == name) {
            EditCaption(node->Item(i));
            break;
        }
    return true;
}

bool TPTCustomShellTree::KeyDown(QKeyEvent* event)
{
    bool consumed = false;
    PTEventGuard([&] {
        if (TPTCustomTreeView::KeyDown(event)) {
            consumed = true;
            return;
        }
        if (!(FOptions & ptstoDefaultKeyHandling) || IsEditingCaption())
            return;
        const TShortCut key = ShortCutFromKeyEvent(*event);
        TPTTreeNode* node = Selected();
        consumed = true;
        if (key == ShellShortCut(TShKey::Edit)) {
            if (node)
                EditCaption(node);
        } else if (key == ShellShortCut(TShKey::Refresh)) {
            RefreshNodes();
        } else if (key == ShellShortCut(TShKey::Cut)) {
            DoCommandForNode(node, QStringLiteral("cut"));
        } else if (key == ShellShortCut(TShKey::Copy)) {
            DoCommandForNode(node, QStringLiteral("copy"));
        } else if (key == ShellShortCut(TShKey::Paste)) {
            DoCommandForNode(node, QStringLiteral("paste"));
        } else if (key == ShellShortCut(TShKey::Delete) ||
                   key == (ShellShortCut(TShKey::Delete) | scShift)) {
            DoCommandForNode(node, QStringLiteral("delete"));
        } else {
            consumed = false;
        }
    });
    return consumed;
}
