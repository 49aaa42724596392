#pragma once

#include "shell/shell95/IShellFolder.h"

#include <QByteArray>
#include <QList>

// The verbs on file-system items that context menus and shortcut keys run:
// items are given relative to their folder, as a control holds them.
// Failures are shown (PTMessageBox) and returned.

// The items go on the clipboard in the formats Linux file managers exchange
// (MimeDataBridge.h), marked as cut or copied.
HRESULT FileVerbCut(IShellFolder* folder, PCItemIDList folderAbsolute,
                    const QList<PCItemIDList>& items);
HRESULT FileVerbCopy(IShellFolder* folder, PCItemIDList folderAbsolute,
                     const QList<PCItemIDList>& items);
// Files on the clipboard are copied into the folder, or moved when they were
// cut; after a completed move the clipboard is cleared, as the files are no
// longer where it says. S_FALSE when the clipboard names no files.
HRESULT FileVerbPaste(const QByteArray& targetFolder, HWND owner);
bool CanPasteFiles();
// To the trash, never deleted outright.
HRESULT FileVerbDelete(IShellFolder* folder, const QList<PCItemIDList>& items, HWND owner);
HRESULT FileVerbDeletePaths(const QList<QByteArray>& paths, HWND owner);
// A link "Link to <name>" beside each item.
HRESULT FileVerbCreateLink(IShellFolder* folder, const QList<PCItemIDList>& items, HWND owner);
