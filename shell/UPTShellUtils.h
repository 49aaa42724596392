#pragma once

// Identifier lists, the shell allocator, folder, path and name services,
// icons and platform queries of the shell namespace.
#include "shell/FormatStrPos.h"
#include "shell/UPTShell95.h"
#include "shell/icons/SystemIcons.h"
#include "shell/icons/TShellImageList.h"
#include "shell/namespace/Desktop.h"
#include "shell/utils/DriveInfoCache.h"
#include "shell/utils/IdList.h"
#include "shell/utils/PTClsidFromFileType.h"
#include "shell/utils/PlatformVersion.h"
#include "shell/utils/ShellFileInfo.h"
#include "shell/utils/ShellMalloc.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/ShellShortCuts.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTIdListArray.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shell/utils/TPTPidlList.h"
#include "shell/utils/TextUtils.h"
