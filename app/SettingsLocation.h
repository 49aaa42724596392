#pragma once

#include <QString>

// What decides where the settings file lives.
struct TSettingsPlaces {
    QString executableFolder;
    bool fileInExecutableFolder = false; // VELDMARK.INI is already there
    bool executableFolderWritable = false;
    QString configHome; // $XDG_CONFIG_HOME, or ~/.config when unset
};

// VELDMARK.INI next to the executable when one is there or could be made
// there, so a copy run from its own folder keeps its settings with it.
// Otherwise (an installed program, whose folder only the system may write)
// VELDMARK.INI in veldmark/ under the configuration home, where the settings
// would else never be kept.
QString ChooseSettingsFile(const TSettingsPlaces& places);

// ChooseSettingsFile with the facts of this machine and environment.
QString SettingsFileFor(const QString& executableFolder);
