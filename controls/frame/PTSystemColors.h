#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

class QWidget;

// Colour values with the top bit set name a system colour by its index in the
// low bits; on Qt the system colours come from the widget's palette, so frames
// and items follow the user's colour scheme.
enum TPTSysColor : quint32 {
    clWindow = 0x80000005,
    clWindowFrame = 0x80000006,
    clHighlight = 0x8000000D,
    clHighlightText = 0x8000000E,
    clBtnFace = 0x8000000F,
    clBtnShadow = 0x80000010,
    clBtnHighlight = 0x80000014,
    cl3DDkShadow = 0x80000015,
};

// The palette role that carries a system colour (clBtnShadow -> Dark, cl3DDkShadow
// -> Shadow, clBtnFace -> Button, clBtnHighlight -> Light, clWindowFrame ->
// WindowText, clWindow -> Base, clHighlight -> Highlight, clHighlightText ->
// HighlightedText).
QPalette::ColorRole PTSysColorRole(TPTSysColor aColor);

// The colour of a system colour in the palette's current colour group.
QColor PTSysColor(TPTSysColor aColor, const QPalette& aPalette);

// The Color property of the frame controls: the widget's background role.
void PTSetWindowColor(QWidget* aWidget, const QColor& aValue);
