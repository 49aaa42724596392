#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A small registry of ours with the two roots the library reads:
// - CurrentUser: keys and values kept in an INI file under the XDG config home
//   ($XDG_CONFIG_HOME/veldmark/registry/current-user.ini); strings and binary;
// - ClassesRoot: the same kind of file (classes-root.ini) for registered
//   classes, plus one read-only key ".ext" for every extension the MIME
//   database knows, whose default value is that MIME type's name.
// Key paths use "\" between keys and match without regard to case; the
// default value has the empty name. The file is read on each open, so a key
// always shows what is stored now.
enum class TRegistryRoot { CurrentUser, ClassesRoot };

class TRegistryKey {
public:
    // Empty when the key does not exist (and create is false) or cannot be made.
    static std::optional<TRegistryKey> Open(TRegistryRoot root, const QString& path,
                                            bool create = false);

    std::optional<TRegistryKey> OpenSubKey(const QString& name, bool create = false) const;
    bool HasSubKey(const QString& name) const;

    std::optional<QString> ReadString(const QString& valueName) const;
    std::optional<QByteArray> ReadBinary(const QString& valueName) const;
    bool WriteString(const QString& valueName, const QString& value);
    bool WriteBinary(const QString& valueName, const QByteArray& value);
    bool DeleteValue(const QString& valueName);

    QString Path() const { return path_; }

private:
    TRegistryKey(TRegistryRoot root, QString path, bool virtualMimeKey)
        : root_(root), path_(std::move(path)), mimeKey_(virtualMimeKey)
    {
    }
    bool Write(const QString& valueName, const QVariant& value);

    TRegistryRoot root_;
    QString path_;      // as stored, with "\" separators
    bool mimeKey_;      // a ".ext" key that exists only through the MIME database
};

// The file behind a root.
QString RegistryFilePath(TRegistryRoot root);
