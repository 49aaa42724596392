#pragma once

#include "shell/shell95/IDataObject.h"

#include <cstdint>

// The drop effects the dragged objects allow: the can-copy, can-move and
// can-link attributes (1, 2, 4, equal to the effects) that all items of the
// data object's "Shell IDList Array" share; all three when it has none.
// Raises EPlatformError when the array's parent folder cannot be bound.
std::uint32_t DragDropAbilitiesOf(IDataObject* dataObject);
