#include "shell/namespace/FileTypes.h"

#include "platform/FileNameCodec.h"

#include <QHash>
#include <QMimeDatabase>
#include <QMutex>

namespace FileTypes
{

namespace
{

struct TypeInfo {
    QString typeName;
    QString iconName;
    QString genericIconName;
};

QByteArray extensionKey(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size())
        return QByteArray();
    return QByteArray(fileName.data() + dot, static_cast<qsizetype>(fileName.size() - dot))
        .toLower();
}

TypeInfo infoFor(const QByteArray& key)
{
    static QMutex mutex;
    static QHash<QByteArray, TypeInfo> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    TypeInfo info;
    QMimeDatabase db;
    const QList<QMimeType> types =
        key.isEmpty() ? QList<QMimeType>()
                      : db.mimeTypesForFileName(QStringLiteral("x") + FileNameToString(key));
    if (!types.isEmpty() && !types.first().comment().isEmpty()) {
        info.typeName = types.first().comment();
        info.iconName = types.first().iconName();
        info.genericIconName = types.first().genericIconName();
    } else {
        info.typeName = key.isEmpty()
                            ? QStringLiteral("File")
                            : FileNameForDisplay(key.mid(1)).toUpper() + QStringLiteral(" File");
        info.iconName = QStringLiteral("application-octet-stream");
        info.genericIconName = QStringLiteral("unknown");
    }
    return *cache.insert(key, info);
}

} // namespace

QString TypeNameOf(std::string_view fileName, bool folder)
{
    if (folder) {
        static const QString folderName = [] {
            const QString comment =
                QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
            return comment.isEmpty() ? QStringLiteral("Folder") : comment;
        }();
        return folderName;
    }
    return infoFor(extensionKey(fileName)).typeName;
}

QString IconNameOf(std::string_view fileName, bool folder, QString* genericIconName)
{
    if (folder) {
        if (genericIconName)
            *genericIconName = QStringLiteral("folder");
        return QStringLiteral("folder");
    }
    const TypeInfo info = infoFor(extensionKey(fileName));
    if (genericIconName)
        *genericIconName = info.genericIconName;
    return info.iconName;
}

bool IsKnownExtension(const QString& extension)
{
    QString ext = extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
    if (ext.isEmpty())
        return false;
    return !QMimeDatabase().mimeTypesForFileName(QStringLiteral("x.") + ext).isEmpty();
}

} // namespace FileTypes
