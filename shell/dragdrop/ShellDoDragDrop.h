#pragma once

#include "shell/shell95/IDataObject.h"
#include "shell/shell95/IDropSource.h"

#include <cstdint>

class QObject;

// The modal drag loop, over QDrag: the data object travels as the QMimeData
// of MimeDataFromDataObject. Qt's loop decides the drop on the release of the
// button, the cancel on Escape, and the cursors (the drop source's default
// cursors). What Qt leaves to us is the drop source's cancel rule for other
// buttons: while the loop runs, each mouse press and key press is put to
// QueryContinueDrag, and a cancel answer ends the drag (QDrag::cancel).
// Answers DRAGDROP_S_DROP with the effect the target applied, or
// DRAGDROP_S_CANCEL with effect 0.
HRESULT ShellDoDragDrop(QObject* dragSource, IDataObject* dataObject, IDropSource* dropSource,
                        std::uint32_t okEffects, std::uint32_t* effect);
