#include "platform/Registry.h"

#include <QDir>
#include <QVariant>

#include <algorithm>
#include <QMimeDatabase>
#include <QSettings>
#include <QStandardPaths>

namespace {

// QSettings takes "/" and "\\" inside a name as group separators, but key
// names may hold "/" (program identifiers are often MIME type names) and value
// names either: those are stored as private-use characters.
constexpr char16_t kStoredSlash = 0xF02F;
constexpr char16_t kStoredBackslash = 0xF05C;

QString StoredName(QString name)
{
    return name.replace(u'/', QChar(kStoredSlash)).replace(u'\\', QChar(kStoredBackslash));
}

QString ShownName(QString name)
{
    return name.replace(QChar(kStoredSlash), u'/').replace(QChar(kStoredBackslash), u'\\');
}

// Stored names: a value "N" is the INI key "v_N"; "k" marks a key that exists
// even while it holds no value.
QString ValueKey(const QString& valueName) { return QStringLiteral("v_") + StoredName(valueName); }
const QString kExists = QStringLiteral("k");

// The QSettings group of a key path ("\\" between keys).
QString SettingsGroup(const QString& path)
{
    QStringList parts = path.split('\\', Qt::SkipEmptyParts);
    for (QString& part : parts)
        part = StoredName(part);
    return parts.join('/');
}

// The stored spelling of a key path whose components match without regard
// to case; empty when some component does not exist.
std::optional<QString> FindStored(QSettings& settings, const QString& path)
{
    QString stored;
    for (const QString& part : path.split('\\', Qt::SkipEmptyParts)) {
        settings.beginGroup(SettingsGroup(stored));
        const QStringList children = settings.childGroups();
        settings.endGroup();
        const auto match = std::find_if(children.begin(), children.end(), [&](const QString& c) {
            return ShownName(c).compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == children.end())
            return std::nullopt;
        stored = stored.isEmpty() ? ShownName(*match) : stored + '\\' + ShownName(*match);
    }
    return stored;
}

std::optional<QString> MimeTypeOfExtension(const QString& key)
{
    if (!key.startsWith('.') || key.size() < 2 || key.contains('\\'))
        return std::nullopt;
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + key);
    if (types.isEmpty())
        return std::nullopt;
    return types.first().name();
}

} // namespace

QString RegistryFilePath(TRegistryRoot root)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + (root == TRegistryRoot::CurrentUser ? QStringLiteral("/veldmark/registry/current-user.ini")
                                                     : QStringLiteral("/veldmark/registry/classes-root.ini"));
}

std::optional<TRegistryKey> TRegistryKey::Open(TRegistryRoot root, const QString& path, bool create)
{
    QSettings settings(RegistryFilePath(root), QSettings::IniFormat);
    if (std::optional<QString> stored = FindStored(settings, path))
        return TRegistryKey(root, *stored, false);
    if (root == TRegistryRoot::ClassesRoot && !create && MimeTypeOfExtension(path))
        return TRegistryKey(root, path, true);
    if (!create || path.split('\\', Qt::SkipEmptyParts).isEmpty())
        return std::nullopt;
    // Make every missing component, keeping the spelling of those that exist.
    QString stored;
    for (const QString& part : path.split('\\', Qt::SkipEmptyParts)) {
        const QString next = stored.isEmpty() ? part : stored + '\\' + part;
        const std::optional<QString> existing = FindStored(settings, next);
        stored = existing ? *existing : next;
        if (!existing)
            settings.setValue(SettingsGroup(stored) + '/' + kExists, 1);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    return TRegistryKey(root, stored, false);
}

std::optional<TRegistryKey> TRegistryKey::OpenSubKey(const QString& name, bool create) const
{
    if (mimeKey_)
        return std::nullopt;
    return Open(root_, path_ + '\\' + name, create);
}

bool TRegistryKey::HasSubKey(const QString& name) const { return OpenSubKey(name).has_value(); }

std::optional<QString> TRegistryKey::ReadString(const QString& valueName) const
{
    if (mimeKey_)
        return valueName.isEmpty() ? MimeTypeOfExtension(path_) : std::nullopt;
    QSettings settings(RegistryFilePath(root_), QSettings::IniFormat);
    const QVariant v = settings.value(SettingsGroup(path_) + '/' + ValueKey(valueName));
    if (!v.isValid())
        return std::nullopt;
    return v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
}

std::optional<QByteArray> TRegistryKey::ReadBinary(const QString& valueName) const
{
    if (mimeKey_)
        return std::nullopt;
    QSettings settings(RegistryFilePath(root_), QSettings::IniFormat);
    const QVariant v = settings.value(SettingsGroup(path_) + '/' + ValueKey(valueName));
    if (!v.isValid())
        return std::nullopt;
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

bool TRegistryKey::Write(const QString& valueName, const QVariant& value)
{
    if (mimeKey_)
        return false;
    QSettings settings(RegistryFilePath(root_), QSettings::IniFormat);
    if (value.isValid())
        settings.setValue(SettingsGroup(path_) + '/' + ValueKey(valueName), value);
    else
        settings.remove(SettingsGroup(path_) + '/' + ValueKey(valueName));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TRegistryKey::WriteString(const QString& valueName, const QString& value) { return Write(valueName, value); }
bool TRegistryKey::WriteBinary(const QString& valueName, const QByteArray& value) { return Write(valueName, value); }
bool TRegistryKey::DeleteValue(const QString& valueName) { return Write(valueName, QVariant()); }
