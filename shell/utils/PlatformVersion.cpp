#include "shell/utils/PlatformVersion.h"

const TPTPlatformVersion& PlatformVersion()
{
    static const TPTPlatformVersion version{5, 0, 0, 2};
    return version;
}

bool IsWin95()
{
    return PlatformVersion().platformId == 1;
}

bool IsOSR2OrGreater()
{
    return IsWin95() && (PlatformVersion().buildNumber & 0xFFFF) > 1000;
}

bool IsWinNT()
{
    return PlatformVersion().platformId == 2;
}

bool IsWin2000()
{
    return IsWinNT() && PlatformVersion().majorVersion >= 5;
}

bool HasWin95Shell()
{
    return IsWin95() || (IsWinNT() && PlatformVersion().majorVersion >= 4);
}

bool GetModuleVersion(const QString& fileName, TPTModuleVersion& version)
{
    const QString name = fileName.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    if (name.compare(QLatin1String("comctl32.dll"), Qt::CaseInsensitive) != 0)
        return false;
    version.MS = (5u << 16) | 81u;
    version.LS = 0;
    return true;
}

TPTModuleVersion ComCtlVersion()
{
    static const TPTModuleVersion version = [] {
        TPTModuleVersion v;
        if (!GetModuleVersion(QStringLiteral("comctl32.dll"), v))
            v = TPTModuleVersion();
        return v;
    }();
    return version;
}
