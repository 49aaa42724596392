#pragma once

#include "shell/shell95/TCSIDL.h"
#include "shell/shell95/TItemIDList.h"
#include "shell/utils/TIdListPtr.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

class QDataStream;

// Names one folder of the shell namespace for a shell control: either an
// absolute identifier list or a special folder, whose list is fetched when it
// is first needed. Every real change is reported to the owner through the
// change handler; the owner creates the locator and outlives it.
// Used on the user-interface thread only.
class TPTShellLocator
{
  public:
    enum TLocatorMode : std::uint8_t { lmIdList = 0, lmSpecialFolder = 1 };
    using TChangeEvent = std::function<void(TPTShellLocator* aSender)>;

    explicit TPTShellLocator(TChangeEvent onChange = {});
    TPTShellLocator(const TPTShellLocator&) = delete;
    TPTShellLocator& operator=(const TPTShellLocator&) = delete;
    virtual ~TPTShellLocator();

    TLocatorMode GetLocatorMode() const { return m_mode; }

    // Identifier-list mode: the folder's list, null for the desktop.
    // Special-folder mode: the special folder's list, fetched on first use
    // (null when the platform has no such folder). The locator keeps it; it is
    // valid until the locator next changes.
    PCItemIDList GetIdList();
    // Holds a copy of idList; null and the empty list both mean the desktop,
    // which is held as no list.
    void SetIdList(PCItemIDList idList);

    // The code in special-folder mode, else csidlNone.
    TCSIDL GetCSIDL() const;
    void SetCSIDL(TCSIDL csidl);

    // Empty for folders outside the file system.
    QString GetPathName();
    // A path that cannot be parsed moves the locator to the desktop.
    void SetPathName(const QString& path);

    void Clear();
    bool IsEqual(const TPTShellLocator& other) const;
    // Takes the source's folder; null moves a locator that holds a list to the desktop.
    void Assign(const TPTShellLocator* source);

    void SetOnChange(TChangeEvent onChange) { m_onChange = std::move(onChange); }

    // The "Pidl" property: 1 mode byte, then either the special-folder code
    // (1 byte) or a 4-byte signed little-endian length n and the n bytes of the
    // list (n = 0: no list). StoresData says whether the property is written at
    // all: not for a desktop in identifier-list mode. Reading never reports a
    // change; a malformed record is refused (false, stream status set to
    // ReadCorruptData) and leaves the locator as it was.
    bool StoresData() const;
    void WriteData(QDataStream& stream) const;
    bool ReadData(QDataStream& stream);
    // The property as a byte array: empty when nothing is stored; reading an
    // empty array (an absent property) leaves the locator alone.
    QByteArray PidlProperty() const;
    bool SetPidlProperty(const QByteArray& data);

    // Longest list a record may carry; a path's list is a few kilobytes at most.
    static constexpr std::int32_t MaxStoredIdListBytes = 1 << 20;

    // Calls the change handler when one is set.
    virtual void Changed();

  private:
    TLocatorMode m_mode = lmIdList;
    TIdListPtr m_idList;
    TCSIDL m_csidl = csidlNone;
    TChangeEvent m_onChange;
};
