#pragma once

#include "platform/MountTable.h"
#include "shellwidgets/combo/TPTShellComboPlace.h"

#include <QList>

// Where the places of the folder combo come from. Nothing here writes a file.

// GTK's bookmarks file: one "URI[ label]" a line. Local file URLs only.
QList<TPTShellComboPlace> ParseGtkBookmarks(const QByteArray& content);
// KDE's user-places.xbel: bookmarks with a title, hidden ones left out.
// Local file URLs only.
QList<TPTShellComboPlace> ParseKdePlaces(const QByteArray& content);
// Documents, Downloads, Music, Pictures and Videos as the user-dirs settings
// name them, whether they exist or not.
QList<TPTShellComboPlace> UserDirectoryPlaces();

// Whether a place is offered: a local target must be a folder; a target on a
// network volume (by the mount table) is offered unchecked, because a stat
// there can hang the user-interface thread.
bool PlaceIsOffered(const QByteArray& path, const QList<TMountEntry>& mountTable);

// The user directories, then the GTK bookmarks, then the KDE places, each path
// once; home and the desktop directory are left out (the namespace entries show
// them), as is what PlaceIsOffered refuses.
QList<TPTShellComboPlace> ReadShellComboPlaces(const QList<TMountEntry>& mountTable);
