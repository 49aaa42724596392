#pragma once

#include "shell/shell95/TGUID.h"

#include <QString>

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" to an identifier; false for any
// other form.
bool CLSIDFromString(const QString& text, TGUID& clsid);

// The class registered for a file type (".ext") under the classes root:
// a default value "clsid\{...}", else the type's CLSID subkey, else the CLSID
// subkey of the program identifier the type names. Nothing is created.
bool PTClsidFromFileType(const QString& fileType, TGUID& clsid);
