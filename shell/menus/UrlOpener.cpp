#include "shell/menus/UrlOpener.h"

#include <QDesktopServices>

#include <utility>

namespace
{

TUrlOpener& installedOpener()
{
    static TUrlOpener opener;
    return opener;
}

} // namespace

bool OpenUrlWithDesktop(const QUrl& url)
{
    if (const TUrlOpener opener = installedOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

TUrlOpener SetUrlOpener(TUrlOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

QUrl FileUrlOfPath(const QByteArray& path)
{
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"), QUrl::StrictMode);
}
