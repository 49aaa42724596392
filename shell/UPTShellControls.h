#pragma once

// The shell controls' unit: item records, the change-notification thread,
// drag-and-drop objects, new folders, the folder locator and the context
// menus. One file per class in shell/records/, shell/notify/,
// shell/dragdrop/, shell/fileops/, shell/locator/ and shell/menus/.
#include "shell/PTMessages.h"
#include "shell/dragdrop/DragDropAbilities.h"
#include "shell/dragdrop/IPTDropTargetOwner.h"
#include "shell/records/IPTShellComboOwner.h"
#include "shell/records/IPTShellListOwner.h"
#include "shell/records/IPTShellTreeOwner.h"
#include "shell/fileops/PTShCreateNewFolder.h"
#include "shell/notify/TChangeHandlerThread.h"
#include "shell/dragdrop/TDataObject_shlv.h"
#include "shell/dragdrop/TDataObject_shtv.h"
#include "shell/dragdrop/TDropSource_shlvtv.h"
#include "shell/dragdrop/TDropTarget_shlv.h"
#include "shell/dragdrop/TDropTarget_shtv.h"
#include "shell/dragdrop/TPTFormatEtcList.h"
#include "shell/dragdrop/TPTFormatEtcList_IEnumFormatEtc.h"
#include "shell/records/TPTShComboData.h"
#include "shell/records/TPTShListData.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/locator/TPTShellLocator.h"
#include "shell/menus/TShellContextMenu.h"
#include "shell/menus/TShellMenu.h"
