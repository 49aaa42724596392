#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class IPTFileNameForm;
class TPathSyntax;

// Whether the file-name box was last typed in or filled from the list.
enum TPTFrmOpenDlg_LIS : std::uint8_t { lisEdit = 0, lisList = 1 };

// Decides whether the Open/Save form may close with OK and which full paths
// it returns: parses the file-name box (names, paths, quoted lists, wildcard
// patterns), opens folders it names, applies the default extension and runs
// the file checks with their messages. The form owns one and forwards its
// close check and its list and edit changes to it. User-interface thread only.
class TPTFileNameConfirmation
{
  public:
    // The form and the syntax must outlive the object.
    TPTFileNameConfirmation(IPTFileNameForm& form, const TPathSyntax& syntax);

    // The form's close check for a modal result (1 OK, 2 Cancel): with OK, a
    // wildcard in the name part filters the list and keeps the form open,
    // anything else must pass ParseInputString. A form that may close makes
    // its folder the process's current directory unless ptofNoChangeDir.
    // A folder that the namespace parses but cannot open raises
    // EPlatformError, here and in ParseInputString; the form catches it.
    void FormCloseQuery(int modalResult, bool& canClose);

    // Parses and checks the text, filling SelectedFiles; true when the form
    // may close. A failure leaves SelectedFiles empty.
    bool ParseInputString(const QString& text);

    // The full paths accepted by the last parse, in the order given.
    QStringList SelectedFiles;
    TPTFrmOpenDlg_LIS LastInputSource = lisEdit;

  private:
    enum class TNameOutcome { Accepted, Skipped, Refused, FolderOpened };

    // One name of the text: its full path in full when accepted.
    TNameOutcome ConfirmName(const QString& folder, const QString& name, bool onlyName,
                             QString& full);
    // For a single name: the selected item, or the name with its default
    // extension, looked up among the listed items. False when refused.
    bool ResolveSingleName(const QString& folder, QString& full);
    // Opens the folder a wildcard pattern was typed in, when there is one.
    void OpenFolderPart(const QString& text);

    // These two show their message when the answer is false.
    bool PassesCharacterCheck(const QString& text);
    bool CanHold(const QString& full);
    void ShowTooLong(const QString& name);

    bool IsSameFolder(const QString& a, const QString& b) const;

    IPTFileNameForm& m_form;
    const TPathSyntax& m_syntax;
};
