#pragma once

#include "shell/shell95/IShellFolder.h"

// The namespace root, with one added reference for the caller. One desktop
// object serves the process; it is made again when the desktop directory
// changes (HOME or the XDG settings), which tests rely on.
HRESULT SHGetDesktopFolder(IShellFolder** folder);
