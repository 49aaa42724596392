#pragma once

// The shell controls' unit: item records, the change-notification thread,
// drag-and-drop objects, new folders and the folder locator. One file per
// class under shell/shellcontrols/.
#include "shell/PTMessages.h"
#include "shell/shellcontrols/DragDropAbilities.h"
#include "shell/shellcontrols/IPTDropTargetOwner.h"
#include "shell/shellcontrols/IPTShellComboOwner.h"
#include "shell/shellcontrols/IPTShellListOwner.h"
#include "shell/shellcontrols/IPTShellTreeOwner.h"
#include "shell/shellcontrols/PTShCreateNewFolder.h"
#include "shell/shellcontrols/TChangeHandlerThread.h"
#include "shell/shellcontrols/TDataObject_shlv.h"
#include "shell/shellcontrols/TDataObject_shtv.h"
#include "shell/shellcontrols/TDropSource_shlvtv.h"
#include "shell/shellcontrols/TDropTarget_shlv.h"
#include "shell/shellcontrols/TDropTarget_shtv.h"
#include "shell/shellcontrols/TPTFormatEtcList.h"
#include "shell/shellcontrols/TPTFormatEtcList_IEnumFormatEtc.h"
#include "shell/shellcontrols/TPTShComboData.h"
#include "shell/shellcontrols/TPTShListData.h"
#include "shell/shellcontrols/TPTShTreeData.h"
#include "shell/shellcontrols/TPTShellLocator.h"
