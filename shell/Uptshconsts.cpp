#include "shell/Uptshconsts.h"

#include "shell/PTStringTable.h"
#include "shell/TPTStringReplacements.h"

QString LoadResString(TResStringRec rec)
{
    if (std::optional<QString> replaced = TPTStringReplacements::FindInstalled(rec.Id))
        return *replaced;
    const TPTStringTableEntry* entry = PTFindBuiltInString(rec.Id);
    return entry ? QString::fromUtf8(entry->Text) : QString();
}

QString PTLoadStr(const QString& text)
{
    return text;
}

QString PTLoadStr(TResStringRec rec)
{
    return PTLoadStr(LoadResString(rec));
}
