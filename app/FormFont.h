#pragma once

#include <QFont>
#include <QStringList>

// The family the forms use: the classic 8-point dialog face when the system
// has it, otherwise the nearest sans-serif of similar width that is installed.
QString PickFormFontFamily(const QStringList& installedFamilies);

// 8 points at 96 pixels per inch: an 11-pixel character height.
QFont FormFont(int pixelSize = 11);

class QLabel;

// Narrows a caption's letters, a few percent at a time, until it is no wider
// than maxWidth: fallback faces are wider than the original one, and a row
// caption must not run under its edit.
void FitLabelWidth(QLabel* label, int maxWidth);
