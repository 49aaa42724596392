#pragma once

#include <QByteArray>

// The user's directories, read from the environment and user-dirs.dirs on
// every call (tests point HOME and the XDG variables elsewhere). Paths are
// bytes, absolute, without a trailing slash (except "/").
namespace XdgDirs
{

QByteArray Home();
QByteArray ConfigHome(); // $XDG_CONFIG_HOME or ~/.config
QByteArray DataHome();   // $XDG_DATA_HOME or ~/.local/share
QByteArray Desktop();    // XDG_DESKTOP_DIR or ~/Desktop
QByteArray Documents();  // XDG_DOCUMENTS_DIR or ~/Documents
QByteArray Templates();  // XDG_TEMPLATES_DIR or ~/Templates
QByteArray TrashFiles(); // <data home>/Trash/files
QByteArray SendTo();     // <data home>/veldmark/SendTo

// The home folder and the user directories that have icons of their own,
// from one look at user-dirs.dirs (each of the functions above looks again).
struct TUserDirs {
    QByteArray home;
    QByteArray desktop;
    QByteArray documents;
    QByteArray templates;
};
TUserDirs UserDirs();

bool IsDirectory(const QByteArray& path);

} // namespace XdgDirs
