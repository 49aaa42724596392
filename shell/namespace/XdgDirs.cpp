#include "shell/namespace/XdgDirs.h"

#include <QFile>
#include <QMutex>

#include <sys/stat.h>

namespace XdgDirs
{

namespace
{

QByteArray withoutTrailingSlash(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

QByteArray envDir(const char* name, const QByteArray& fallback)
{
    const QByteArray value = qgetenv(name);
    // Relative values are invalid by the XDG rules and ignored.
    return value.startsWith('/') ? withoutTrailingSlash(value) : fallback;
}

// The content of user-dirs.dirs, read again only when its path or time
// changes: path lookups ask for the desktop directory very often.
QByteArray userDirsContent()
{
    static QMutex mutex;
    static QByteArray cachedPath;
    static timespec cachedTime{};
    static QByteArray cachedContent;
    const QByteArray path = ConfigHome() + "/user-dirs.dirs";
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return QByteArray();
    QMutexLocker lock(&mutex);
    if (path != cachedPath || st.st_mtim.tv_sec != cachedTime.tv_sec ||
        st.st_mtim.tv_nsec != cachedTime.tv_nsec) {
        QFile file(QFile::decodeName(path));
        cachedContent = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        cachedPath = path;
        cachedTime = st.st_mtim;
    }
    return cachedContent;
}

// XDG_xxx_DIR="$HOME/yyy" lines of user-dirs.dirs (content given).
QByteArray userDir(const QByteArray& content, const QByteArray& home, const char* key,
                   const char* fallbackName)
{
    if (!content.isEmpty()) {
        const QByteArray prefix = QByteArray(key) + '=';
        for (QByteArray line : content.split('\n')) {
            line = line.trimmed();
            if (!line.startsWith(prefix))
                continue;
            QByteArray value = line.mid(prefix.size());
            if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
                value = value.mid(1, value.size() - 2);
            if (value.startsWith("$HOME"))
                value = home + value.mid(5);
            if (value.startsWith('/'))
                return withoutTrailingSlash(value);
        }
    }
    return home == "/" ? QByteArray("/") + fallbackName : home + '/' + fallbackName;
}

QByteArray userDir(const char* key, const char* fallbackName)
{
    return userDir(userDirsContent(), Home(), key, fallbackName);
}

} // namespace

QByteArray Home()
{
    const QByteArray home = qgetenv("HOME");
    return home.startsWith('/') ? withoutTrailingSlash(home) : QByteArray("/");
}

QByteArray ConfigHome()
{
    return envDir("XDG_CONFIG_HOME", Home() + "/.config");
}

QByteArray DataHome()
{
    return envDir("XDG_DATA_HOME", Home() + "/.local/share");
}

QByteArray Desktop()
{
    // The desktop is offered everywhere ("Desktop" in the Save dialog) and
    // must stand for a real folder; without its directory it is the home.
    const QByteArray configured = userDir("XDG_DESKTOP_DIR", "Desktop");
    return IsDirectory(configured) ? configured : Home();
}

QByteArray Documents()
{
    return userDir("XDG_DOCUMENTS_DIR", "Documents");
}

QByteArray Templates()
{
    return userDir("XDG_TEMPLATES_DIR", "Templates");
}

QByteArray Download()
{
    return userDir("XDG_DOWNLOAD_DIR", "Downloads");
}

QByteArray Music()
{
    return userDir("XDG_MUSIC_DIR", "Music");
}

QByteArray Pictures()
{
    return userDir("XDG_PICTURES_DIR", "Pictures");
}

QByteArray Videos()
{
    return userDir("XDG_VIDEOS_DIR", "Videos");
}

QByteArray TrashFiles()
{
    return DataHome() + "/Trash/files";
}

QByteArray SendTo()
{
    return DataHome() + "/veldmark/SendTo";
}

TUserDirs UserDirs()
{
    const QByteArray content = userDirsContent();
    TUserDirs dirs;
    dirs.home = Home();
    dirs.desktop = userDir(content, dirs.home, "XDG_DESKTOP_DIR", "Desktop");
    dirs.documents = userDir(content, dirs.home, "XDG_DOCUMENTS_DIR", "Documents");
    dirs.templates = userDir(content, dirs.home, "XDG_TEMPLATES_DIR", "Templates");
    return dirs;
}

bool IsDirectory(const QByteArray& path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace XdgDirs
