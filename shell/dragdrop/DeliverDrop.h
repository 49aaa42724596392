#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/IDataObject.h"
#include "shell/shell95/IDropTarget.h"

#include <cstdint>

// A whole drop on a target at once, as a drag loop would deliver it:
// DragEnter, DragOver, then Drop, each offered `effect`. Used where the drop is
// made for the user (Send To) or where Qt hands over only the final drop. The
// enter and over answers are not checked (a target may refuse them and still
// decide at the drop); the Drop's result is returned and its effect left in
// `effect`.
HRESULT DeliverDrop(IDropTarget* target, IDataObject* dataObject, std::uint32_t keyState,
                    TPointL point, std::uint32_t& effect);
