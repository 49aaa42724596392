#pragma once

#include <QString>

#include <string_view>

// File types from the MIME database, looked up by name only (the file need not
// exist) and cached per extension: sorting a large folder by type asks for
// every file many times.
namespace FileTypes
{

// The type's description ("PNG image", "Folder"); "XYZ File" for an unknown
// extension XYZ, "File" when there is none.
QString TypeNameOf(std::string_view fileName, bool folder);

// The icon name of the type (theme name, e.g. "image-png"), and its generic
// fallback ("image-x-generic"); "folder" for folders.
QString IconNameOf(std::string_view fileName, bool folder, QString* genericIconName = nullptr);

// Whether the database knows files with this extension (".csv" or "csv").
bool IsKnownExtension(const QString& extension);

} // namespace FileTypes
