// The keyboard: the shell's shortcut keys, Backspace and Enter, deleting for
// good, and type-ahead in every view style.

#include "shellwidgets/list/TPTCustomShellList.h"

#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessageBox.h"
#include "shell/fileops/FilePaths.h"
#include "shell/utils/ShellShortCuts.h"

#include <QDialog>
#include <QKeyEvent>

#include <algorithm>
#include <cerrno>

bool TPTCustomShellList::KeyDown(QKeyEvent* event)
{
    bool consumed = false;
    PTEventGuard([&] {
        consumed = TPTCustomListView::KeyDown(event);
        if (consumed || !FOptions.Has(ptsloDefaultKeyHandling) || IsEditing())
            return;
        consumed = ShortCutKey(event);
        if (consumed)
            return;
        switch (event->key()) {
        case Qt::Key_Backspace:
            GoUp(1);
            consumed = true;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            consumed = EnterKey();
            break;
        default:
            consumed = TypeAhead(event);
        }
    });
    return consumed;
}

bool TPTCustomShellList::ShortCutKey(QKeyEvent* event)
{
    const TShortCut key = ShortCutFromKeyEvent(*event);
    if (key == ShellShortCut(TShKey::SelectAll)) {
        BeginUpdate();
        SelectAll();
        EndUpdate();
    } else if (key == ShellShortCut(TShKey::Refresh)) {
        FillItems();
    } else if (key == ShellShortCut(TShKey::Copy)) {
        DoCommandForAllSelected(QStringLiteral("copy"));
    } else if (key == ShellShortCut(TShKey::Cut)) {
        DoCommandForAllSelected(QStringLiteral("cut"));
    } else if (key == ShellShortCut(TShKey::Paste)) {
        DoCommandForFolder(QStringLiteral("paste"));
        RefreshItems();
    } else if (key == ShellShortCut(TShKey::Edit)) {
        if (ItemFocused() >= 0)
            EditCaption(ItemFocused());
    } else if (key == ShellShortCut(TShKey::Delete)) {
        DoCommandForAllSelected(QStringLiteral("delete")); // to the trash
        RefreshItems();
    } else if (key == (ShellShortCut(TShKey::Delete) | scShift)) {
        DeleteSelectedForGood();
    } else {
        return false;
    }
    return true;
}

bool TPTCustomShellList::EnterKey()
{
    // In a dialog, Enter on a file belongs to the dialog's default button;
    // the list keeps it for folders, which it opens itself.
    const int row = Selected();
    TPTShListData* data = row >= 0 ? GetDataFromItem(&Item(row)) : nullptr;
    const bool folder = data && ShellSelCount() == 1 && data->IsFolder();
    if (!folder && qobject_cast<QDialog*>(window()))
        return false;
    OpenSelectedItems();
    return true;
}

void TPTCustomShellList::DeleteSelectedForGood()
{
    QList<QByteArray> paths;
    QString firstName;
    for (int row : SelectedRows()) {
        TPTShListData* data = GetDataFromItem(&Item(row));
        if (!data || data->GetPathName().isEmpty())
            continue;
        if (paths.isEmpty())
            firstName = data->GetDisplayName();
        paths << FileNameFromString(data->GetPathName());
    }
    if (paths.isEmpty())
        return;
    TPTMessageBoxRequest question;
    question.parent = this;
    question.icon = TPTMsgIcon::Question;
    question.text = paths.size() == 1
                        ? QStringLiteral("Do you want to delete \"%1\" for good? It cannot be "
                                         "restored.")
                              .arg(firstName)
                        : QStringLiteral("Do you want to delete these %1 items for good? They "
                                         "cannot be restored.")
                              .arg(paths.size());
    question.buttons = ptmbYes | ptmbNo;
    question.defaultButton = ptmbNo;
    if (PTMessageBox(question) != ptmbYes)
        return;
    for (const QByteArray& path : paths) {
        if (!FilePaths::RemoveTree(path)) {
            TPTMessageBoxRequest failure;
            failure.parent = this;
            failure.text =
                QStringLiteral("Cannot delete \"%1\": %2")
                    .arg(FileNameToString(path), ResultCodeText(HResultFromErrno(errno)));
            PTMessageBox(failure);
            break;
        }
    }
    RefreshItems();
}

bool TPTCustomShellList::TypeAhead(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (!FTypeAheadTime.isValid() || FTypeAheadTime.elapsed() > kTypeAheadResetMs)
        FTypeAhead.clear();
    FTypeAheadTime.start();
    // The same letter again steps on to the next item starting with it.
    const bool repeat =
        FTypeAhead.size() == 1 && text.compare(FTypeAhead, Qt::CaseInsensitive) == 0;
    if (!repeat)
        FTypeAhead += text;
    const int count = ItemCount();
    if (count == 0)
        return true;
    // A first letter looks from the next item on, a longer text from this one.
    const int focused = ItemFocused();
    const int start = focused < 0 ? 0 : FTypeAhead.size() == 1 ? focused + 1 : focused;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (GetDispText(Item(row), 0).startsWith(FTypeAhead, Qt::CaseInsensitive)) {
            ClearSelection();
            SetSelected(row, true);
            SetItemFocused(row);
            MakeVisible(row);
            break;
        }
    }
    return true;
}
