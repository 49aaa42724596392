#pragma once

#include "shell/menus/ItemProperties.h"

// The Properties dialog of an item: its facts as a form of read-only labels
// and a Close button, modal over the request's parent (or the active window).
void ShowWidgetPropertiesDialog(const TItemProperties& properties);
