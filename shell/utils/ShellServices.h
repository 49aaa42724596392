#pragma once

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TCSIDL.h"
#include "shell/shell95/TItemIDList.h"

#include <QString>

// Folder, path, name and special-folder services over the namespace.
// Paths are QStrings in the lossless file-name form (platform/FileNameCodec.h):
// a path that is not UTF-8 comes back out exactly as it went in. None of them
// cuts a path to 260 characters: the limit is the kernel's (4095 bytes).

// The folder object of an absolute list; null or empty: the desktop folder.
HRESULT ShellGetFolderFromIdList(PCItemIDList idList, IShellFolder** folder);

// Parses a path with the desktop folder; the new absolute list is the caller's.
HRESULT ShellGetIdListFromPath(const QString& path, PItemIDList* idList);

// The file-system path of an absolute list (null means the desktop, whose
// path is the desktop directory); empty when the object has none.
bool SHGetPathFromIDList(PCItemIDList idList, QString& path);
QString ShellGetPathFromIdList(PCItemIDList idList);

// Path -> list -> path: the namespace's own spelling of a path (dot segments
// and doubled slashes gone, "~" expanded); empty on any failure.
QString ShellGetDisplayPathName(const QString& path);

// Special folders by number: 0 desktop, 5 documents, 9 send-to (created on
// demand), 10 trash, 16 desktop directory, 17 computer, 21 templates,
// 26 config home. Other numbers have no meaning here: E_INVALIDARG. A
// directory that does not exist fails like a path that does not parse.
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, PItemIDList* idList);
HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, PItemIDList* idList);
QString ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl);

// The first special folder (0 to 28) whose list equals the given one, else csidlNone.
TCSIDL ShellFindCSIDLFromIdList(PCItemIDList idList);

// The display name of a list in a folder (null folder: the desktop, with an
// absolute list); empty on failure.
QString ShellGetFriendlyNameFromIdList(IShellFolder* folder, PCItemIDList idList,
                                       TPTFriendlyNameFlags flags);
