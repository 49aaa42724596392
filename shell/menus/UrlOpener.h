#pragma once

#include <QByteArray>
#include <QUrl>

#include <functional>

// Opens a URL with the desktop's opener (the user's default application for
// its type). A handler set by SetUrlOpener answers instead (tests). Returns
// whether the opener took it. User-interface thread only.
bool OpenUrlWithDesktop(const QUrl& url);

using TUrlOpener = std::function<bool(const QUrl& url)>;

// Replaces the desktop's opener; an empty handler brings it back. Returns the
// handler that was installed.
TUrlOpener SetUrlOpener(TUrlOpener opener);

// The file:// URL of a path, its raw bytes percent-encoded, so a name that is
// not UTF-8 reaches the same file.
QUrl FileUrlOfPath(const QByteArray& path);
