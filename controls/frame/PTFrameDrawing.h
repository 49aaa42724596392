#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QtGlobal>

class QPainter;

// The frame styles of groups, frames and splitter panes. Only the low seven bits
// count: the dispatching routines mask the top bit away.
enum TPTFrameStyle : quint8 {
    ptfsNone = 0,
    ptfsGroup = 1,
    ptfsLowered = 2,
    ptfsRaised = 3,
    ptfsDint = 4,
    ptfsBump = 5,
    ptfsSingle = 6,
    ptfsHorzLine = 7,
    ptfsHorzEdge = 8,
    ptfsVertLine = 9,
    ptfsVertEdge = 10,
};

// Every routine takes its rectangle in inclusive form: right() and bottom() are
// the last pixel column and row drawn, which is what QRect::right()/bottom() mean.
// Lines are drawn as filled pixel runs, so the result does not depend on the
// painter's pen width or antialiasing. System colours come from aPalette.

void DrawLoweredFrame(QPainter& aCanvas, const QRect& aRect,
                      const QPalette& aPalette = QGuiApplication::palette());
void DrawRaisedFrame(QPainter& aCanvas, const QRect& aRect,
                     const QPalette& aPalette = QGuiApplication::palette());
void DrawDintFrame(QPainter& aCanvas, const QRect& aRect,
                   const QPalette& aPalette = QGuiApplication::palette());
void DrawBumpFrame(QPainter& aCanvas, const QRect& aRect,
                   const QPalette& aPalette = QGuiApplication::palette());
// The window-frame outline, its interior filled with the painter's current brush.
void DrawSingleFrame(QPainter& aCanvas, const QRect& aRect,
                     const QPalette& aPalette = QGuiApplication::palette());

// The etched group frame with aCaption in its top edge, drawn in the painter's font
// and pen colour on aColor; a disabled caption is embossed.
void DrawGroupFrame(QPainter& aCanvas, const QRect& aRect, const QString& aCaption, bool aEnabled,
                    const QColor& aColor, const QPalette& aPalette = QGuiApplication::palette());

void DrawHorzLine(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2);
void DrawHorzEdge(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2);
void DrawVertLine(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2);
void DrawVertEdge(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2);

// Draws aStyle: lines and edges in button shadow and button highlight, the group
// style with no caption, enabled, on the painter's brush colour.
void DrawFrame(TPTFrameStyle aStyle, QPainter& aCanvas, const QRect& aRect,
               const QPalette& aPalette = QGuiApplication::palette());

// Shrinks aRect by the interior inset of aStyle (ptfsGroup: none).
void AdjustRectForFrame(TPTFrameStyle aStyle, QRect& aRect);

// Draws a single-line caption into aBox with an ellipsis when it does not fit and
// '&' marking the mnemonic. aHorzAlign is Qt::AlignLeft, Qt::AlignRight or
// Qt::AlignHCenter; aVCenter centres vertically, otherwise the text sits at the
// top. With aOpaque the text's own extent is first filled with aBackground.
void DrawCaption(QPainter& aCanvas, const QRect& aBox, const QString& aText,
                 Qt::Alignment aHorzAlign, bool aVCenter, bool aOpaque, const QColor& aBackground);
