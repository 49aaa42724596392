#pragma once

#include <QDateTime>
#include <QString>

// Texts of the item records' detail columns, in the user's locale (QLocale()).

// The size in kilobytes, rounded up (0 bytes 0KB, 1 to 1024 bytes 1KB, 1025
// bytes 2KB), with the locale's thousands separator, through SFilesizeKB.
QString FileSizeKBText(quint64 bytes);

// Local time in the short date format, a space, the short time format.
QString ShortDateTimeText(const QDateTime& time);

// Size and modified texts of a path (lossless form): a folder has no size
// text; both stay empty when the path cannot be found.
void FileSizeAndModifiedTexts(const QString& path, QString& size, QString& modified);

// Whether the path (lossless form; a trailing slash is ignored) is the mount
// point of a volume, as the Computer folder lists them: "/" always is.
bool IsVolumeRootPath(const QString& path);
