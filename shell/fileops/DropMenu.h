#pragma once

#include "shell/shell95/IUnknown.h"

#include <cstdint>
#include <functional>

// The menu of a right-button drop of files: Copy Here, Move Here, Create Link
// Here (those in `allowed`, the default one bold), Cancel. Returns one
// effect, or 0 for Cancel. By default a popup menu at the cursor.
std::uint32_t ShowDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect);

using TDropMenuHandler =
    std::function<std::uint32_t(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect)>;

// Replaces the popup menu (tests answer without blocking); an empty handler
// brings the menu back. Returns the handler that was installed.
TDropMenuHandler SetDropMenuHandler(TDropMenuHandler handler);
