#pragma once

#include "dialogs/TPTOpenOptions.h"
#include "shell/PTMessageBox.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

// What confirming the file-name box needs from the dialog form. The form
// implements it over its combo, list and file-name box; the confirmation
// logic knows nothing else of the form. User-interface thread only.
class IPTFileNameForm
{
  public:
    virtual ~IPTFileNameForm() = default;

    // The file-system path of the folder the list shows; empty when it has
    // none (Computer, Trash).
    virtual QString ShownFolderPath() const = 0;
    // Opens a folder (an absolute list) in the combo, and so in the list.
    virtual void OpenFolder(PCItemIDList absoluteIdList) = 0;
    // Keeps the pattern as the user's filter and lists only what matches it.
    virtual void ApplyUserFilter(const QString& pattern) = 0;

    // The list's items in list order: the caption shown and the full path.
    virtual int ListItemCount() const = 0;
    virtual QString ListItemCaption(int index) const = 0;
    virtual QString ListItemPath(int index) const = 0;
    // The selected item that carries data, or -1.
    virtual int SelectedListItem() const = 0;
    // Selects only this item, makes it the focused one and focuses the list.
    virtual void SelectAndFocusListItem(int index) = 0;

    virtual QString FileNameText() const = 0;
    virtual void SetFileNameText(const QString& text) = 0;
    virtual void SelectAllFileNameText() = 0;

    virtual TPTOpenOptions Options() const = 0;
    // Stores and applies the options (the form's SetOptions).
    virtual void SetOptions(TPTOpenOptions options) = 0;
    // Without the dot; empty when there is none.
    virtual QString DefaultExt() const = 0;
    // The pattern of the selected file type; empty when none is selected.
    virtual QString SelectedFileTypePattern() const = 0;

    // Shows a modal message box with the form as parent and its caption, and
    // returns the button pressed (PTMessageBox).
    virtual TPTMsgButton ShowMessage(const TPTMessageBoxRequest& request) = 0;
};
