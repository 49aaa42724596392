#pragma once

#include <QString>

#include <vector>

// The files of the Send To folder (the shell's csidlSendTo) as the Send To
// submenus of the tree and the list show them: sorted by name without regard
// to case, each with its small system icon index (-1 when unknown). One list
// for the process; user-interface thread only.
class TPTSendToList
{
  public:
    struct Entry {
        QString fileName; // as stored in the folder
        int iconIndex = -1;
    };

    static TPTSendToList& Instance();

    // Reads the folder again: files only, no folders and no hidden files.
    // Entries that are gone from the folder go from the list too, so a menu
    // never offers a target that no longer exists.
    void Reload();
    // Adds a file name; an existing name keeps its one entry.
    void Add(const QString& fileName, int iconIndex);
    void Clear() { m_entries.clear(); }

    int Count() const { return int(m_entries.size()); }
    const Entry& At(int index) const { return m_entries.at(std::size_t(index)); }
    // The name shown in the menu: the file name without its extension.
    QString DisplayName(int index) const;
    static QString WithoutExtension(const QString& fileName);

  private:
    std::vector<Entry> m_entries;
};
