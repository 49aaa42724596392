#include "shell/utils/PTClsidFromFileType.h"

#include "platform/Registry.h"

#include <QUuid>

bool CLSIDFromString(const QString& text, TGUID& clsid)
{
    if (text.size() != 38 || !text.startsWith('{') || !text.endsWith('}'))
        return false;
    const QUuid uuid = QUuid::fromString(text);
    if (uuid.isNull() && text != QStringLiteral("{00000000-0000-0000-0000-000000000000}"))
        return false;
    clsid.D1 = uuid.data1;
    clsid.D2 = uuid.data2;
    clsid.D3 = uuid.data3;
    for (int i = 0; i < 8; ++i)
        clsid.D4[i] = uuid.data4[i];
    return true;
}

namespace {

bool ClsidOfSubKey(const TRegistryKey& key, TGUID& clsid)
{
    const std::optional<TRegistryKey> sub = key.OpenSubKey(QStringLiteral("CLSID"));
    if (!sub)
        return false;
    const std::optional<QString> value = sub->ReadString(QString());
    return value && CLSIDFromString(*value, clsid);
}

} // namespace

bool PTClsidFromFileType(const QString& fileType, TGUID& clsid)
{
    const std::optional<TRegistryKey> typeKey = TRegistryKey::Open(TRegistryRoot::ClassesRoot, fileType);
    if (!typeKey)
        return false;
    const QString progId = typeKey->ReadString(QString()).value_or(QString());
    if (progId.left(6).compare(QStringLiteral("clsid\\"), Qt::CaseInsensitive) == 0)
        return CLSIDFromString(progId.mid(6, 255), clsid);
    if (typeKey->HasSubKey(QStringLiteral("CLSID")))
        return ClsidOfSubKey(*typeKey, clsid);
    if (progId.isEmpty())
        return false;
    const std::optional<TRegistryKey> progKey = TRegistryKey::Open(TRegistryRoot::ClassesRoot, progId);
    return progKey && ClsidOfSubKey(*progKey, clsid);
}
