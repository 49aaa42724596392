#pragma once

#include "shell/shell95/IShellFolder.h"

#include <QByteArray>
#include <QList>

// The file-system paths (parsing names) of items of a folder, as raw bytes.
// Objects without a path (Computer, Trash) are left out: their parsing names
// are no file names, and the file-drop block and URI lists name files only.
QList<QByteArray> ParsingPathsOf(IShellFolder* folder, const QList<PCItemIDList>& items);
