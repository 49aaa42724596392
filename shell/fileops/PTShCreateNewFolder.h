#pragma once

#include <QString>

// Creates a new folder in parentPath (lossless form; empty: the current
// directory) under the first free name of "New Folder", "New Folder (2)" ...
// "New Folder (50)", then "fldr", "fldr2" ... "fldr50", and gives its name
// (without the path). A name that exists is skipped; any other error shows a
// warning box and ends the attempt; when every name exists, a warning box
// says so. Returns whether a folder was created; never raises.
// User-interface thread only.
bool PTShCreateNewFolder(const QString& parentPath, QString& name);
