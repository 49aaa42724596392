#pragma once

#include "shell/fileops/DropMenu.h"

// The popup menu of a right-button drop, at the cursor.
std::uint32_t ShowWidgetDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect);
