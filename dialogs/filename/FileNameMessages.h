#pragma once

#include "shell/Uptshconsts.h"

#include "shell/PTMessageBox.h"
#include <QString>

class IPTFileNameForm;

// The text of a message of the string table with its "%s" filled; a file
// name that is not UTF-8 is shown legibly.
QString FileNameMessageText(TResStringRec message, const QString& fileName);

// Shows one of the confirmation messages (SFilenameIsInvalid,
// SThereCanBeOnlyOne, SExistsAndIsReadOnly, SFileNotFound, SFileExistsReplace,
// SDoesNotExistCreate) with its kind and buttons, and returns the answer. A
// detail, when given, follows the message after an empty line.
TPTMsgButton ShowFileNameMessage(IPTFileNameForm& form, TResStringRec message,
                                                const QString& fileName,
                                                const QString& detail = QString());
