#pragma once

#include "shell/utils/TIdListPtr.h"

#include <QString>

class IPTFileNameForm;
class TPathSyntax;

// The absolute list of the path when it names a folder of the namespace
// and no file exists there; null otherwise. A folder that parses but cannot
// be bound raises EPlatformError with the error's text.
TIdListPtr FolderIdList(const QString& path);

// When the path names a folder of the namespace (and no file), opens it in
// the form, selects the text of the file-name box and returns true.
bool OpenIfFolder(IPTFileNameForm& form, const QString& path);

// The target of a shortcut file (".desktop" link); empty when the path is no
// shortcut or it cannot be resolved.
QString ShortcutTarget(const TPathSyntax& syntax, const QString& path);
