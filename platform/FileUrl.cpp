#include "platform/FileUrl.h"

std::optional<QByteArray> LocalPathOfFileUrl(QByteArray url)
{
    if (!url.startsWith("file:"))
        return std::nullopt;
    url = url.mid(5);
    if (url.startsWith("//")) {
        const qsizetype slash = url.indexOf('/', 2);
        if (slash < 0)
            return std::nullopt;
        const QByteArray host = url.mid(2, slash - 2);
        if (!host.isEmpty() && host != "localhost")
            return std::nullopt;
        url = url.mid(slash);
    }
    if (!url.startsWith('/'))
        return std::nullopt;
    QByteArray path = QByteArray::fromPercentEncoding(url);
    if (path.contains('\0'))
        return std::nullopt;
    return path;
}
