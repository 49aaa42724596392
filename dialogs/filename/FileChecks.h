#pragma once

#include <QString>

class IPTFileNameForm;
class TPathSyntax;

// Whether something other than a folder exists at the path: a file, a
// device, a pipe or a link whose target is missing all count, so that none
// of them is replaced without the question.
bool FileExists(const QString& path);

// The checks of one confirmed path under the form's options, in this order:
// an existing read-only file is refused (ptofNoReadOnlyReturn), an existing
// file is replaced only on Yes (ptofOverwritePrompt), a missing one is
// refused (ptofFileMustExist) or created only on Yes (ptofCreatePrompt).
// True when the path may be returned.
bool CheckConfirmedFile(IPTFileNameForm& form, const TPathSyntax& syntax, const QString& path);
