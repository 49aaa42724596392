#pragma once

#include <QByteArray>
#include <QString>

// A place the folder combo offers below its namespace entries: a user
// directory or a bookmark of the desktop's file dialogs. Only the path is
// kept; it is parsed to an identifier list when the place is chosen, so a
// place on a network volume costs nothing until then.
struct TPTShellComboPlace {
    QString Caption;  // for display only
    QByteArray Path;  // absolute, the file system's bytes
    QString IconName; // icon theme name; "folder" when the source names none
};
