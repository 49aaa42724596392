#pragma once

#include "shell/shell95/IDataObject.h"
#include "shell/utils/ShellDataBlocks.h"

#include <QByteArray>
#include <QList>

// The full paths a data object names: its file-drop block, or else the
// file-system objects of its "Shell IDList Array". Empty when it names none.
QList<QByteArray> DroppedFilePaths(IDataObject* dataObject);

// The paths of the file-system objects of an identifier-list array.
QList<QByteArray> PathsOfIdListArray(const TIdListArrayData& array);
