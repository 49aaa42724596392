#include "app/SaveDlgState.h"

#include "dialogs/components/TPTFileDlg.h"
#include "platform/Registry.h"

namespace
{

const QString kStateValue = QStringLiteral("State");
const QString kLastFolderValue = QStringLiteral("LastFolder");

} // namespace

void ReadSaveDlgState(TPTFileDlg& dialog)
{
    dialog.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kSaveDlgRegistryKey, kStateValue);
    const std::optional<TRegistryKey> key =
        TRegistryKey::Open(TRegistryRoot::CurrentUser, kSaveDlgRegistryKey);
    if (!key)
        return;
    // A relative folder would depend on where the program was started.
    const std::optional<QString> folder = key->ReadString(kLastFolderValue);
    if (folder && folder->startsWith(QLatin1Char('/')))
        dialog.InitialDir = *folder;
}

bool WriteSaveDlgState(const TPTFileDlg& dialog)
{
    if (!dialog.WriteStateToRegistry(TRegistryRoot::CurrentUser, kSaveDlgRegistryKey, kStateValue))
        return false;
    std::optional<TRegistryKey> key =
        TRegistryKey::Open(TRegistryRoot::CurrentUser, kSaveDlgRegistryKey, true);
    return key && key->WriteString(kLastFolderValue, dialog.InitialDir);
}
