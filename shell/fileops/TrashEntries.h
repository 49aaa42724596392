#pragma once

#include "platform/ResultCodes.h"

#include <QByteArray>

// Items already in a trash (the freedesktop.org layout written by
// XdgTrash::MoveToTrash): an entry at the top of a trash's files/ folder is
// paired with info/<name>.trashinfo, which says where it came from.
namespace XdgTrash
{

// True for an entry at the top of a trash's files/ folder that has its
// .trashinfo: it can be restored.
bool IsTrashEntry(const QByteArray& path);
// True for the files/ folder of a trash (a folder "files" beside "info").
// Nothing may be put there but by MoveToTrash, which records where it came from.
bool IsTrashFilesFolder(const QByteArray& path);
// True for a trash entry or anything below one.
bool IsInTrash(const QByteArray& path);

// The path a trash entry came from; empty when its .trashinfo has none.
QByteArray OriginalPathOf(const QByteArray& entry);

// Moves a trash entry back where it came from (making missing folders on the
// way) and removes its .trashinfo. Never replaces: an item now at the
// original path fails with 0x800700B7, and the entry stays in the trash.
HRESULT Restore(const QByteArray& entry);

// Removes an item in a trash for good (a trash entry together with its
// .trashinfo). Refuses (E_INVALIDARG) anything not in a trash.
HRESULT DeletePermanently(const QByteArray& path);

} // namespace XdgTrash
