#pragma once

// The shell controls' unit: item records, the change-notification thread,
// drag-and-drop objects, new folders and the folder locator. One file per
// class under shell/shellcontrols/.
#include "shell/PTMessages.h"
#include "shell/shellcontrols/IPTShellComboOwner.h"
#include "shell/shellcontrols/IPTShellListOwner.h"
#include "shell/shellcontrols/IPTShellTreeOwner.h"
#include "shell/shellcontrols/PTShCreateNewFolder.h"
#include "shell/shellcontrols/TChangeHandlerThread.h"
#include "shell/shellcontrols/TPTShComboData.h"
#include "shell/shellcontrols/TPTShListData.h"
#include "shell/shellcontrols/TPTShTreeData.h"
#include "shell/shellcontrols/TPTShellLocator.h"
