#pragma once

#include <QList>
#include <QString>

// One file type of a filter text: what the file-type box shows and the
// pattern (masks separated by ';') the list applies.
struct TPTFileTypeEntry {
    QString description;
    QString pattern;

    friend bool operator==(const TPTFileTypeEntry&, const TPTFileTypeEntry&) = default;
};

// Splits a filter text "desc|pattern|desc|pattern" into its file types, in
// order. A text that ends after a description gives it an empty pattern; an
// empty text gives none. QString holds whole characters, so a multi-byte
// character is never cut.
QList<TPTFileTypeEntry> ParseFileTypeFilter(const QString& filter);
