#include "shell/locator/TPTShellLocator.h"

#include "shell/utils/IdList.h"
#include "shell/utils/ShellServices.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace
{

bool readBytes(QDataStream& stream, char* data, int size)
{
    return stream.readRawData(data, size) == size;
}

bool corrupt(QDataStream& stream)
{
    stream.setStatus(QDataStream::ReadCorruptData);
    return false;
}

} // namespace

TPTShellLocator::TPTShellLocator(TChangeEvent onChange) : m_onChange(std::move(onChange)) {}

TPTShellLocator::~TPTShellLocator() = default;

PCItemIDList TPTShellLocator::GetIdList()
{
    if (m_mode == lmSpecialFolder && !m_idList)
        ShellGetSpecialFolderIdList(nullptr, m_csidl, m_idList.put());
    return m_idList.get();
}

void TPTShellLocator::SetIdList(PCItemIDList idList)
{
    const TLocatorMode oldMode = m_mode;
    m_mode = lmIdList;
    bool changed = oldMode == lmSpecialFolder;
    if (m_idList) {
        // A comparison that cannot be made counts as no change.
        const int order = changed ? 0 : CompareAbsIdLists(m_idList.get(), idList);
        changed = changed || (order != 0 && order != kCompareIdListsFailed);
    } else {
        // Any list, the empty one (the desktop again) included, counts as a change.
        changed = changed || idList != nullptr;
    }
    // Copy before letting the old list go: idList may be the one held here.
    TIdListPtr copy(IdListLen(idList) > 2 ? CopyIdList(nullptr, idList) : nullptr);
    m_idList = std::move(copy);
    m_csidl = csidlNone;
    if (changed)
        Changed();
}

TCSIDL TPTShellLocator::GetCSIDL() const
{
    return m_mode == lmSpecialFolder ? m_csidl : csidlNone;
}

void TPTShellLocator::SetCSIDL(TCSIDL csidl)
{
    m_idList.reset();
    const bool changed = m_mode != lmSpecialFolder || m_csidl != csidl;
    m_mode = lmSpecialFolder;
    m_csidl = csidl;
    if (changed)
        Changed();
}

QString TPTShellLocator::GetPathName()
{
    return ShellGetPathFromIdList(GetIdList());
}

void TPTShellLocator::SetPathName(const QString& path)
{
    TIdListPtr parsed;
    if (Failed(ShellGetIdListFromPath(path, parsed.put())))
        parsed.reset();
    SetIdList(parsed.get());
}

void TPTShellLocator::Clear()
{
    SetIdList(nullptr);
}

bool TPTShellLocator::IsEqual(const TPTShellLocator& other) const
{
    if (m_mode != other.m_mode)
        return false;
    if (this == &other)
        return true;
    if (m_mode == lmIdList)
        return CompareAbsIdLists(m_idList.get(), other.m_idList.get()) == 0;
    return m_csidl == other.m_csidl;
}

void TPTShellLocator::Assign(const TPTShellLocator* source)
{
    if (!source) {
        if (m_idList) {
            m_idList.reset();
            m_mode = lmIdList;
            m_csidl = csidlNone;
            Changed();
        }
        return;
    }
    if (IsEqual(*source))
        return;
    // A special folder's list is fetched again on use; a desktop stays no list.
    TIdListPtr copy;
    if (source->m_mode == lmIdList && source->m_idList)
        copy.reset(CopyIdList(nullptr, source->m_idList.get()));
    m_idList = std::move(copy);
    m_mode = source->m_mode;
    m_csidl = source->m_mode == lmSpecialFolder ? source->m_csidl : csidlNone;
    Changed();
}

void TPTShellLocator::Changed()
{
    if (m_onChange)
        m_onChange(this);
}

bool TPTShellLocator::StoresData() const
{
    return m_mode == lmSpecialFolder || m_idList;
}

void TPTShellLocator::WriteData(QDataStream& stream) const
{
    const char mode = static_cast<char>(m_mode);
    stream.writeRawData(&mode, 1);
    if (m_mode == lmSpecialFolder) {
        const char code = static_cast<char>(m_csidl);
        stream.writeRawData(&code, 1);
        return;
    }
    const std::int32_t length = IdListLen(m_idList.get());
    char lengthBytes[4];
    qToLittleEndian(length, lengthBytes);
    stream.writeRawData(lengthBytes, 4);
    if (length > 0)
        stream.writeRawData(reinterpret_cast<const char*>(m_idList.get()), length);
}

bool TPTShellLocator::ReadData(QDataStream& stream)
{
    char mode = 0;
    if (!readBytes(stream, &mode, 1))
        return corrupt(stream);
    if (mode != 0) {
        char code = 0;
        if (!readBytes(stream, &code, 1) || static_cast<std::uint8_t>(code) > csidlNone)
            return corrupt(stream);
        // Whatever list was held belongs to another folder.
        m_idList.reset();
        m_mode = lmSpecialFolder;
        m_csidl = static_cast<TCSIDL>(code);
        return true;
    }
    char lengthBytes[4];
    if (!readBytes(stream, lengthBytes, 4))
        return corrupt(stream);
    const std::int32_t length = qFromLittleEndian<std::int32_t>(lengthBytes);
    if (length == 0) {
        m_idList.reset();
        m_mode = lmSpecialFolder;
        m_csidl = csidlDesktop;
        return true;
    }
    if (length < 2 || length > MaxStoredIdListBytes)
        return corrupt(stream);
    QByteArray bytes(length, Qt::Uninitialized);
    if (!readBytes(stream, bytes.data(), length))
        return corrupt(stream);
    TIdListPtr list(IdListFromBytes(nullptr, bytes));
    if (!list)
        return corrupt(stream);
    // The desktop is held as no list, however it was stored.
    if (IdListLen(list.get()) <= 2)
        list.reset();
    m_idList = std::move(list);
    m_mode = lmIdList;
    m_csidl = csidlNone;
    return true;
}

QByteArray TPTShellLocator::PidlProperty() const
{
    QByteArray data;
    if (StoresData()) {
        QDataStream stream(&data, QIODevice::WriteOnly);
        WriteData(stream);
    }
    return data;
}

bool TPTShellLocator::SetPidlProperty(const QByteArray& data)
{
    if (data.isEmpty())
        return true;
    // Read into a scratch locator so that a record with trailing bytes changes nothing here.
    TPTShellLocator read;
    QDataStream stream(data);
    if (!read.ReadData(stream) || !stream.atEnd())
        return false;
    m_mode = read.m_mode;
    m_csidl = read.m_csidl;
    m_idList = std::move(read.m_idList);
    return true;
}
