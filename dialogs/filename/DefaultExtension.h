#pragma once

#include <QString>

class TPathSyntax;

struct TDefaultExtension {
    QString path;
    // The final extension differs from the default one (ptofExtensionDifferent).
    bool extensionDifferent = false;
};

// Gives a single typed name the extension it is saved under, defaultExt
// being non-empty:
// - an extension the system knows as a file type (a key under the classes
//   root) is kept;
// - otherwise, without a usable extension in the selected file type's
//   pattern, ".defaultExt" is appended;
// - otherwise the name keeps the pattern's extension or gets it appended.
// A pattern's extension is that of its first pattern ("*.csv;*.txt" gives
// ".csv"), and one with wildcards ("*.*") counts as none: appending it would
// make a name with an asterisk in it.
TDefaultExtension ApplyDefaultExtension(const TPathSyntax& syntax, const QString& path,
                                        const QString& defaultExt, const QString& filterPattern);

// Whether a key named after the extension (".csv") exists under the classes
// root of the registry store.
bool IsRegisteredFileType(const QString& extension);
