#pragma once

#include "shell/namespace/HiddenNames.h"
#include "shell/shell95/IEnumIDList.h"

#include <QByteArray>
#include <QList>

#include <dirent.h>

// Lists a directory lazily: each Next reads the following entries, lstat's
// them and hands out one-item lists. `leading` items (prepared item bytes) are
// handed out first: the desktop's Home, Computer and Trash. Entries that
// vanish while listing are skipped; entries that cannot be examined (folder
// readable but not searchable) are listed with what the directory says.
class TFileSystemEnum : public TComObject<IEnumIDList>
{
  public:
    // Fails with the errno code when the directory cannot be opened; a null
    // path lists the leading items only.
    static HRESULT Create(const QByteArray& path, std::uint32_t flags,
                          const QList<QByteArray>& leading, IEnumIDList** enumList);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT Next(std::uint32_t count, PItemIDList* items, std::uint32_t* fetched) override;
    HRESULT Skip(std::uint32_t count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumIDList** copy) override;

  private:
    TFileSystemEnum(const QByteArray& path, DIR* dir, std::uint32_t flags,
                    const QList<QByteArray>& leading);
    ~TFileSystemEnum() override;

    // The next wanted entry's item bytes; false at the end (hr says why).
    bool nextItem(QByteArray& itemBytes, HRESULT& hr);
    bool wanted(std::uint8_t entryFlags) const;

    QByteArray m_path;
    DIR* m_dir;
    std::uint32_t m_flags;
    QList<QByteArray> m_leading;
    qsizetype m_leadingIndex = 0;
    THiddenNames m_hidden;
    QByteArray m_itemBytes; // reused: one Next per entry of a large folder
};
