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
QByteArray Desktop();    // XDG_DESKTOP_DIR or ~/Desktop; the home when that is no folder
QByteArray Documents();  // XDG_DOCUMENTS_DIR or ~/Documents
QByteArray Templates();  // XDG_TEMPLATES_DIR or ~/Templates
QByteArray Download();   // XDG_DOWNLOAD_DIR or ~/Downloads
QByteArray Music();      // XDG_MUSIC_DIR or ~/Music
QByteArray Pictures();   // XDG_PICTURES_DIR or ~/Pictures
QByteArray Videos();     // XDG_VIDEOS_DIR or ~/Videos
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
