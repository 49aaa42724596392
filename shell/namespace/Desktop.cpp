#include "shell/namespace/Desktop.h"

#include "shell/namespace/TDesktopFolder.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/shell95/TComPtr.h"

#include <QMutex>

HRESULT SHGetDesktopFolder(IShellFolder** folder)
{
    if (!folder)
        return E_POINTER;
    static QMutex mutex;
    static QByteArray cachedPath;
    static TComPtr<IShellFolder> cached;
    const QByteArray path = XdgDirs::Desktop();
    QMutexLocker lock(&mutex);
    if (!cached || path != cachedPath) {
        cached = TComPtr<IShellFolder>::adopt(new TDesktopFolder(path));
        cachedPath = path;
    }
    *folder = TComPtr<IShellFolder>(cached).detach();
    return S_OK;
}
