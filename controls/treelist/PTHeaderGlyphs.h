#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// The sort arrows of the list header. The box is square-ish and its height is
// made odd (an even height is drawn one pixel shorter) so the arrow's tip
// falls on a pixel. Rectangles follow the drawing convention of the header:
// right and bottom are exclusive, i.e. x() + width() and y() + height().
QRect PTArrowBox(const QRect& textRect);
void DrawUpArrow(QPainter& canvas, const QRect& rect, const QColor& background,
                 const QColor& shadow, const QColor& highlight);
void DrawDownArrow(QPainter& canvas, const QRect& rect, const QColor& background,
                   const QColor& shadow, const QColor& highlight);
