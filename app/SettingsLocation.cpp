#include "app/SettingsLocation.h"

#include "platform/FileNameCodec.h"
#include "shell/namespace/XdgDirs.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString kFileName = QStringLiteral("VELDMARK.INI");

} // namespace

QString ChooseSettingsFile(const TSettingsPlaces& places)
{
    if (places.fileInExecutableFolder || places.executableFolderWritable)
        return QDir(places.executableFolder).filePath(kFileName);
    return QDir(places.configHome).filePath(QStringLiteral("veldmark/") + kFileName);
}

QString SettingsFileFor(const QString& executableFolder)
{
    TSettingsPlaces places;
    places.executableFolder = executableFolder;
    places.fileInExecutableFolder = QFileInfo::exists(QDir(executableFolder).filePath(kFileName));
    places.executableFolderWritable = QFileInfo(executableFolder).isWritable();
    // XDG's rule, which ignores a relative $XDG_CONFIG_HOME: the working
    // directory must not decide where the settings go.
    places.configHome = FileNameToString(XdgDirs::ConfigHome());
    return ChooseSettingsFile(places);
}
