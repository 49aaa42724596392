#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Replacement texts for the shell library's string table, read from a
// translation file, so every text can change without rebuilding.
//
// File format (UTF-8, LF or CRLF line ends):
//   # comment            (also ';'); blank lines are skipped
//   SLookIn = Look &in:  key = identifier or decimal id, value = the text
//   65486 = "New "       outer double quotes keep leading/trailing spaces
// Escapes in values: \n line feed, \t tab, \\ backslash, \" double quote.
// A line is skipped, never fatal, when it has no '=', an unknown key, an empty
// value, or placeholders that differ from the built-in text's (a "%s" text
// formatted with the wrong number of arguments could read garbage).
// A later line for the same id wins.
class TPTStringReplacements
{
  public:
    static constexpr const char* FileName = "veldmark-strings.txt";
    // Environment variable naming a translation file that overrides the search.
    static constexpr const char* EnvironmentVariable = "VELDMARK_STRINGS";

    // nullopt when the file cannot be opened; otherwise a table of the lines
    // that could be used. Only the first MaxFileBytes bytes are read.
    static std::optional<TPTStringReplacements> FromFile(const QString& path);
    static TPTStringReplacements FromText(QByteArrayView utf8);
    static constexpr qint64 MaxFileBytes = 1 << 20;

    std::optional<QString> Find(std::uint16_t id) const;
    qsizetype Count() const { return m_texts.size(); }

    // The files the start-up lookup tries, in order; the first readable wins:
    // $VELDMARK_STRINGS, the executable's folder, then "veldmark/" in each XDG
    // data folder (the user's data home first).
    static QStringList CandidatePaths();

    // The process-wide table behind LoadResString. The first lookup made while
    // an application object exists searches CandidatePaths once; installing or
    // uninstalling explicitly replaces that search. Safe from any thread.
    static void Install(TPTStringReplacements table);
    static void Uninstall();
    // Installs the first readable candidate; returns its path, or empty when
    // none was found (the built-in texts stay).
    static QString InstallFromStandardLocations();
    static std::optional<QString> FindInstalled(std::uint16_t id);

  private:
    QHash<std::uint16_t, QString> m_texts;
};
