#pragma once

#include <QString>

class TPTFileDlg;

// The main window's Save dialog across runs. It lives in the registry store
// of the current user (platform/Registry.h, beside the settings of an
// installed Veldmark), not in VELDMARK.INI, whose keys are the form's
// entries: the dialog's state stream (size, window state, tree and its
// width) and InitialDir, the folder last saved to, where the dialog opens
// next time.
inline const QString kSaveDlgRegistryKey = QStringLiteral("Software\\Veldmark\\SaveDlg");

// What is missing or damaged leaves the dialog as it is: the first run, or a
// value that no dialog wrote, opens as a new dialog would.
void ReadSaveDlgState(TPTFileDlg& dialog);
// Returns whether everything was stored.
bool WriteSaveDlgState(const TPTFileDlg& dialog);
