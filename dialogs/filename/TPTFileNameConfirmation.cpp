#include "dialogs/filename/TPTFileNameConfirmation.h"

#include "dialogs/filename/DefaultExtension.h"
#include "dialogs/filename/FileChecks.h"
#include "dialogs/filename/FileNameMessages.h"
#include "dialogs/filename/FolderNavigation.h"
#include "dialogs/filename/IPTFileNameForm.h"
#include "dialogs/filename/PathCombination.h"
#include "dialogs/filename/QuotedNames.h"
#include "dialogs/filename/TPathSyntax.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/utils/IdList.h"

#include <unistd.h>

namespace
{

constexpr int kModalResultOk = 1;

bool HasWildcard(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

} // namespace

TPTFileNameConfirmation::TPTFileNameConfirmation(IPTFileNameForm& form, const TPathSyntax& syntax)
    : m_form(form), m_syntax(syntax)
{
}

void TPTFileNameConfirmation::FormCloseQuery(int modalResult, bool& canClose)
{
    if (modalResult == kModalResultOk) {
        const QString text = m_form.FileNameText();
        const QString name = m_syntax.NamePart(text);
        if (HasWildcard(name)) {
            canClose = false;
            OpenFolderPart(text);
            m_form.ApplyUserFilter(name);
            m_form.SetFileNameText(name);
            m_form.SelectAllFileNameText();
        } else {
            canClose = ParseInputString(text);
        }
    }
    if (canClose && !m_form.Options().Contains(ptofNoChangeDir)) {
        const QString folder = m_form.ShownFolderPath();
        // Failing to change the current directory costs the user nothing.
        if (!folder.isEmpty())
            (void)::chdir(FileNameFromString(folder).constData());
    }
}

bool TPTFileNameConfirmation::ParseInputString(const QString& text)
{
    SelectedFiles.clear();
    bool result = false;
    const QStringList names = text.contains(u'"') ? SplitQuotedNames(text) : QStringList{text};
    // The check looks at the whole text, once: a long list of names would
    // otherwise scan it once per name.
    if (names.isEmpty() || !PassesCharacterCheck(text))
        return false;
    const QString folder = m_form.ShownFolderPath();
    for (const QString& name : names) {
        QString full;
        const TNameOutcome outcome = ConfirmName(folder, name, names.size() == 1, full);
        if (outcome == TNameOutcome::Skipped)
            continue;
        // A folder ends the parse; names accepted before it still count.
        if (outcome == TNameOutcome::FolderOpened)
            break;
        if (outcome == TNameOutcome::Refused) {
            result = false;
            break;
        }
        result = true;
        SelectedFiles.append(full);
    }
    if (!result)
        SelectedFiles.clear();
    return result;
}

TPTFileNameConfirmation::TNameOutcome TPTFileNameConfirmation::ConfirmName(const QString& folder,
                                                                           const QString& name,
                                                                           bool onlyName,
                                                                           QString& full)
{
    const std::optional<QString> combined = CombinePath(m_syntax, folder, name);
    if (!combined) {
        ShowTooLong(name);
        return TNameOutcome::Refused;
    }
    full = *combined;
    if (full.isEmpty())
        return TNameOutcome::Skipped;
    if (!CanHold(full))
        return TNameOutcome::Refused;
    if (OpenIfFolder(m_form, full))
        return TNameOutcome::FolderOpened;
    if (!m_form.Options().Contains(ptofNoDereferenceLinks)) {
        if (const QString target = ShortcutTarget(m_syntax, full); !target.isEmpty())
            full = target;
    }
    if (onlyName && !ResolveSingleName(folder, full))
        return TNameOutcome::Refused;
    // What the steps above made of the name may be a folder after all (a link
    // to one, a selected folder, a folder named like the name with its
    // extension): it is opened, never returned as a file.
    if (OpenIfFolder(m_form, full))
        return TNameOutcome::FolderOpened;
    if (!CanHold(full))
        return TNameOutcome::Refused;
    return CheckConfirmedFile(m_form, m_syntax, full) ? TNameOutcome::Accepted
                                                      : TNameOutcome::Refused;
}

bool TPTFileNameConfirmation::ResolveSingleName(const QString& folder, QString& full)
{
    if (LastInputSource == lisList) {
        if (const int selected = m_form.SelectedListItem(); selected >= 0) {
            full = m_form.ListItemPath(selected);
            return true;
        }
    }
    if (const QString defaultExt = m_form.DefaultExt(); !defaultExt.isEmpty()) {
        const TDefaultExtension applied =
            ApplyDefaultExtension(m_syntax, full, defaultExt, m_form.SelectedFileTypePattern());
        full = applied.path;
        m_form.SetOptions(m_form.Options().Set(ptofExtensionDifferent, applied.extensionDifferent));
    }
    const QString folderPart = m_syntax.FolderPart(full);
    const QString namePart = m_syntax.NamePart(full);
    if (!IsSameFolder(folderPart, folder)) {
        if (const TIdListPtr idList = FolderIdList(folderPart))
            m_form.OpenFolder(idList.get());
    }
    // Captions are matched only when the list shows the name's folder: an item
    // of another folder with the same caption is another file.
    if (!IsSameFolder(folderPart, m_form.ShownFolderPath()))
        return true;
    int match = -1;
    const int count = m_form.ListItemCount();
    for (int i = 0; i < count; ++i) {
        if (m_form.ListItemCaption(i).compare(namePart, m_syntax.NameCase()) != 0)
            continue;
        if (match >= 0) {
            ShowFileNameMessage(m_form, SThereCanBeOnlyOne, namePart);
            m_form.SelectAndFocusListItem(match);
            return false;
        }
        match = i;
        full = m_form.ListItemPath(i);
    }
    return true;
}

void TPTFileNameConfirmation::OpenFolderPart(const QString& text)
{
    const QString folderPart = m_syntax.FolderPart(text);
    if (folderPart.isEmpty() || !PassesCharacterCheck(folderPart))
        return;
    const std::optional<QString> combined =
        CombinePath(m_syntax, m_form.ShownFolderPath(), folderPart);
    if (!combined) {
        ShowTooLong(folderPart);
        return;
    }
    if (!combined->isEmpty() && CanHold(*combined))
        OpenIfFolder(m_form, *combined);
}

bool TPTFileNameConfirmation::PassesCharacterCheck(const QString& text)
{
    if (m_form.Options().Contains(ptofNoValidate) || m_syntax.PassesCharacterCheck(text))
        return true;
    ShowFileNameMessage(m_form, SFilenameIsInvalid, text);
    return false;
}

bool TPTFileNameConfirmation::CanHold(const QString& full)
{
    if (!m_syntax.CanHoldCharacters(full)) {
        ShowFileNameMessage(m_form, SFilenameIsInvalid, full);
        return false;
    }
    if (!FitsLengthLimits(m_syntax, full)) {
        ShowTooLong(full);
        return false;
    }
    return true;
}

void TPTFileNameConfirmation::ShowTooLong(const QString& name)
{
    ShowFileNameMessage(m_form, SFilenameIsInvalid, name,
                        ResultCodeText(HResultFromWin32(ERROR_FILENAME_EXCED_RANGE)));
}

bool TPTFileNameConfirmation::IsSameFolder(const QString& a, const QString& b) const
{
    const QChar separator = m_syntax.Separator();
    return EnsureTrailingCharDB(a, separator)
               .compare(EnsureTrailingCharDB(b, separator), m_syntax.NameCase()) == 0;
}
