#include "dialogs/filename/FileNameMessages.h"

#include "dialogs/filename/IPTFileNameForm.h"
#include "platform/FileNameCodec.h"

QString FileNameMessageText(TResStringRec message, const QString& fileName)
{
    QString text = PTLoadStr(message);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, FileNameForDisplay(FileNameFromString(fileName)));
    return text;
}

TPTMsgButton ShowFileNameMessage(IPTFileNameForm& form, TResStringRec message,
                                                const QString& fileName, const QString& detail)
{
    TPTMessageBoxRequest request;
    request.text = FileNameMessageText(message, fileName);
    if (!detail.isEmpty())
        request.text += QLatin1String("\n\n") + detail;
    if (message.Id == SFileExistsReplace.Id) {
        request.buttons = ptmbYes | ptmbNo;
        // Return alone must not replace a file.
        request.defaultButton = ptmbNo;
    } else if (message.Id == SDoesNotExistCreate.Id) {
        request.icon = TPTMsgIcon::Question;
        request.buttons = ptmbYes | ptmbNo;
        request.defaultButton = ptmbYes;
    }
    return form.ShowMessage(request);
}
