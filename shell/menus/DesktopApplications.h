#pragma once

#include "platform/ResultCodes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// An application as its desktop entry (.desktop file in an XDG applications
// folder) describes it.
struct TDesktopApplication {
    QString id;      // desktop file ID: the path below applications/, '/' as '-'
    QString name;    // Name=
    QString exec;    // Exec=, key-file escapes resolved
    QString icon;    // Icon=
    QByteArray file; // the entry's own path (for %k)
};

// The applications that open files of a MIME type, for "Open With": the
// defaults of mimeapps.list first (in its order of precedence), then those
// it adds, then every other entry that declares the type, or a type it
// inherits from, by name. Entries that are hidden, removed for the type by
// mimeapps.list, not applications, without Exec or to be run in a terminal
// are left out. Reads $XDG_DATA_HOME and $XDG_DATA_DIRS (applications/) and
// the mimeapps.list files of the config and data folders on every call.
QList<TDesktopApplication> ApplicationsForMimeType(const QString& mimeType);

// The application a desktop entry file anywhere describes (a Send To entry),
// by the same rules; none when it is no usable application.
std::optional<TDesktopApplication> DesktopApplicationOfFile(const QString& path);

// The command line of an Exec value for some files, field codes expanded
// (%f %F %u %U %i %c %k %%; the deprecated ones dropped). Empty when the
// value is malformed (an unclosed quote, a bad escape).
QList<QByteArray> ExecCommandLine(const TDesktopApplication& app, const QList<QByteArray>& paths);

// Starts the application on the files (each is opened as the Exec line says;
// one process per file when the line takes a single file). Failures answer
// their error code; nothing is shown.
HRESULT LaunchApplication(const TDesktopApplication& app, const QList<QByteArray>& paths);
