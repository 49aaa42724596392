#pragma once

// Declarations of the shell namespace interfaces and records; no behaviour.
#include "shell/shell95/IEnumIDList.h"
#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellDetails.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/IUnknown.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TCSIDL.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TGUID.h"
#include "shell/shell95/TItemIDList.h"
#include "shell/shell95/TStrRet.h"
