#pragma once

#include "shell/shell95/IDataObject.h"

// Sends data to Send To entry `index` (TPTSendToList order) as a drop with
// the copy effect, the left button and the point (0, 0) would: the entry's
// own drop target gets DragEnter, DragOver and Drop. A missing entry, a Send
// To folder or entry that cannot be reached, and an entry without a drop
// target raise EPlatformError. Answers the Drop's result.
HRESULT SendToEntry(IDataObject* dataObject, int index, HWND owner);
