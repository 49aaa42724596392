#include "dialogs/filename/FileChecks.h"

#include "dialogs/filename/FileNameMessages.h"
#include "dialogs/filename/IPTFileNameForm.h"
#include "dialogs/filename/TPathSyntax.h"
#include "platform/FindData.h"

namespace
{

bool FindExisting(const QString& path, TWin32FindData& data)
{
    return FindDataOfPath(path, data) && !(data.FileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool FileExists(const QString& path)
{
    TWin32FindData data;
    return FindExisting(path, data);
}

bool CheckConfirmedFile(IPTFileNameForm& form, const TPathSyntax& syntax, const QString& path)
{
    const TPTOpenOptions options = form.Options();
    TWin32FindData data;
    if (FindExisting(path, data)) {
        if ((data.FileAttributes & FILE_ATTRIBUTE_READONLY) &&
            options.Contains(ptofNoReadOnlyReturn)) {
            ShowFileNameMessage(form, SExistsAndIsReadOnly, path);
            return false;
        }
        if (options.Contains(ptofOverwritePrompt))
            return ShowFileNameMessage(form, SFileExistsReplace, path) == ptmbYes;
        return true;
    }
    if (options.Contains(ptofFileMustExist)) {
        ShowFileNameMessage(form, SFileNotFound, path);
        return false;
    }
    if (options.Contains(ptofCreatePrompt))
        return ShowFileNameMessage(form, SDoesNotExistCreate, syntax.NamePart(path)) ==
               ptmbYes;
    return true;
}
