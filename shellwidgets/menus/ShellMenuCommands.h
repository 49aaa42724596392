#pragma once

#include "shell/shell95/IContextMenu.h"

#include <QString>

#include <optional>

// Running commands of a shell context menu, shared by the tree and the list.

// Invokes the command at `offset` (identifier - 50) with the owner window,
// no parameters and the normal show command.
HRESULT InvokeShellMenuCommand(IContextMenu* contextMenu, std::uint32_t offset, HWND owner);
// The offset of a canonical verb, compared without regard to case with the
// verb of every command of a menu built from identifier 50 with the explore
// flag; none when the menu offers no such command.
std::optional<std::uint32_t> ShellMenuVerbOffset(IContextMenu* contextMenu, const QString& verb);
// Looks the verb up and invokes it. A verb the menu does not offer runs
// nothing and answers E_INVALIDARG: running the command at offset 0 ("open")
// in its place would do what nobody asked for.
HRESULT InvokeShellMenuVerb(IContextMenu* contextMenu, const QString& verb, HWND owner);
// The help text of the command with this identifier (at most 261
// characters); empty for Send To entries, identifier 0 and commands without one.
QString ShellMenuHelpText(IContextMenu* contextMenu, int id);
