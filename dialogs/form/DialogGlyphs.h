#pragma once

#include <QIcon>

// The toolbar glyphs of the Open/Save form, drawn here so they look the same
// with any icon theme and on a headless run; each icon holds a 16 and a 32
// pixel image, so high-dpi screens get a sharp one.
enum class TPTDialogGlyph { UpOneLevel, ShowDesktop, CreateNewFolder, ShowTree, List, Details };

QIcon PTDialogGlyph(TPTDialogGlyph glyph);
