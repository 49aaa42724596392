#pragma once

#include "shell/shell95/IUnknown.h"

#include <cstdint>
#include <functional>

// The menu of a right-button drop of files: Copy Here, Move Here, Create Link
// Here (those in `allowed`, the default one bold), Cancel. Returns one
// effect, or 0 for Cancel. A handler set by SetDropMenuHandler answers first
// (tests); otherwise the presenter that the shell widget layer installs pops up
// the menu at the cursor; with neither, the drop is cancelled.
std::uint32_t ShowDropMenu(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect);

using TDropMenuHandler =
    std::function<std::uint32_t(HWND owner, std::uint32_t allowed, std::uint32_t defaultEffect)>;

// Replaces the popup menu (tests answer without blocking); an empty handler
// brings the presenter back. Returns the handler that was installed.
TDropMenuHandler SetDropMenuHandler(TDropMenuHandler handler);

// The one real menu, installed by the shell widget layer.
void SetDropMenuPresenter(TDropMenuHandler presenter);
bool HasDropMenuPresenter();
