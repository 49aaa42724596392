#pragma once

#include <QString>
#include <QStringList>

// Splits the text of the file-name box into names: double quotes enclose a
// name (spaces included), blanks between names are skipped, an unquoted run
// ends at the next quote. Each name loses its trailing blanks and control
// characters; empty names are left out.
QStringList SplitQuotedNames(const QString& text);
