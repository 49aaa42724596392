#pragma once

#include "platform/ResultCodes.h"

#include <QByteArray>

// Moving to the trash in the freedesktop.org trash layout:
// items on the file system of the data home go to $XDG_DATA_HOME/Trash, others
// to the trash at the top of their volume ($topdir/.Trash/$uid when the
// administrator made a sticky .Trash there, else $topdir/.Trash-$uid). The
// .trashinfo file (original path percent-encoded, relative to $topdir for a
// volume trash, and the local deletion time) is written and synced before the
// item is renamed into files/, and removed again when that rename fails.
// Nothing is ever deleted outright: without a usable trash the call fails.
namespace XdgTrash
{

// `trashedAs`, when given, receives the item's path inside the trash.
HRESULT MoveToTrash(const QByteArray& path, QByteArray* trashedAs = nullptr);

// The trash folder (holding files/ and info/) an item would go to; empty
// when there is none. Creates the folders it needs.
QByteArray TrashFolderFor(const QByteArray& path, QByteArray* topdir);

} // namespace XdgTrash
