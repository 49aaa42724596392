#include "platform/FileUrl.h"

namespace
{

// "%" and two hex digits is one byte; any other "%" stands for itself, as
// Qt's own URL parser (and so QMimeData::urls()) reads it.
QByteArray percentDecoded(const QByteArray& text)
{
    auto hex = [](char c) { return QByteArrayView("0123456789abcdef").indexOf(char(c | 0x20)); };
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            bytes += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else
            bytes += text[i];
    }
    return bytes;
}

} // namespace

// file:///p, file://localhost/p and file:/p name local files; scheme and host
// are read without regard to case, as in any URL.
std::optional<QByteArray> LocalPathOfFileUrl(QByteArray url)
{
    if (url.size() < 5 || qstrnicmp(url.constData(), "file:", 5) != 0)
        return std::nullopt;
    url = url.mid(5);
    if (url.startsWith("//")) {
        const qsizetype slash = url.indexOf('/', 2);
        if (slash < 0)
            return std::nullopt;
        const QByteArray host = url.mid(2, slash - 2);
        if (!host.isEmpty() && qstricmp(host.constData(), "localhost") != 0)
            return std::nullopt;
        url = url.mid(slash);
    }
    if (!url.startsWith('/'))
        return std::nullopt;
    QByteArray path = percentDecoded(url);
    if (path.contains('\0'))
        return std::nullopt;
    return path;
}
