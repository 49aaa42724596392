#pragma once

#include "shell/menus/TShellMenu.h"

class QMenu;

// Fills a QMenu from a menu description: each command becomes an action
// whose data is its identifier (the default one bold and the menu's default
// action), separators and submenus as described. The controls show it with
// QMenu::exec and take the chosen action's data as the identifier.
void FillQMenu(QMenu* menu, const TShellMenu& description);
