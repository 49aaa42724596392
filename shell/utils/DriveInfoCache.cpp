#include "shell/utils/DriveInfoCache.h"

#include "platform/EPlatformError.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/shell95/TComPtr.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/TIdListPtr.h"

namespace
{
int g_flushLockCount = 0;
}

void FlushDriveInfoCache()
{
    if (g_flushLockCount > 0)
        return;
    TIdListPtr drives;
    CheckResult(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.put()));
    TComPtr<IShellFolder> folder;
    CheckResult(ShellGetFolderFromIdList(drives.get(), folder.put()));
    std::uint32_t attributes = SFGAO_VALIDATE;
    folder->GetAttributesOf(0, nullptr, &attributes);
}

void LockFlushDriveInfoCache()
{
    ++g_flushLockCount;
}

void UnlockFlushDriveInfoCache()
{
    --g_flushLockCount;
}
