#include "controls/treelist/PTHeaderGlyphs.h"

#include <QPainter>

#include <cstdlib>
#include <initializer_list>

namespace
{

// A one-pixel line that, like the header's line drawing, leaves out its end
// point so that joined segments do not paint their shared corner twice.
void LineWithoutEnd(QPainter& canvas, QPoint from, QPoint to)
{
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        canvas.drawPoint(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Polyline(QPainter& canvas, const QColor& color, std::initializer_list<QPoint> points)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(color, 1));
    const QPoint* previous = nullptr;
    for (const QPoint& p : points) {
        if (previous)
            LineWithoutEnd(canvas, *previous, p);
        previous = &p;
    }
    canvas.restore();
}

struct Glyph {
    int x0, y0, h, w, m;
};

Glyph Measure(QPainter& canvas, const QRect& r, const QColor& background)
{
    Glyph g;
    g.h = (r.height() - 1) | 1;
    g.w = g.h + 1;
    g.x0 = r.x();
    g.y0 = r.y();
    g.m = (g.w - 1) / 2;
    if (background.isValid())
        canvas.fillRect(QRect(g.x0, g.y0, g.w, g.h), background);
    return g;
}

} // namespace

QRect PTArrowBox(const QRect& t)
{
    const int top = t.y();
    const int bottom = t.y() + t.height();
    const int s = (top + bottom) / 2 - 1;
    const int left = t.x();
    const int right = t.x() + s + 1;
    const int boxTop = ((top + bottom) - s) / 2 - 1;
    const int boxBottom = boxTop + s;
    return QRect(left, boxTop, right - left, boxBottom - boxTop);
}

void DrawDownArrow(QPainter& canvas, const QRect& rect, const QColor& background,
                   const QColor& shadow, const QColor& highlight)
{
    const Glyph g = Measure(canvas, rect, background);
    Polyline(canvas, shadow,
             {QPoint(g.x0 + g.m, g.y0 + g.h - 1), QPoint(g.x0, g.y0 + 1), QPoint(g.x0, g.y0),
              QPoint(g.x0 + g.w - 1, g.y0)});
    Polyline(canvas, highlight,
             {QPoint(g.x0 + g.m + 1, g.y0 + g.h - 1), QPoint(g.x0 + g.w, g.y0 - 1)});
}

void DrawUpArrow(QPainter& canvas, const QRect& rect, const QColor& background,
                 const QColor& shadow, const QColor& highlight)
{
    const Glyph g = Measure(canvas, rect, background);
    Polyline(canvas, shadow,
             {QPoint(g.x0 + g.w / 2 - 1, g.y0), QPoint(g.x0, g.y0 + g.h - 2),
              QPoint(g.x0, g.y0 + g.h - 1)});
    Polyline(canvas, highlight,
             {QPoint(g.x0, g.y0 + g.h - 1), QPoint(g.x0 + g.w - 1, g.y0 + g.h - 1),
              QPoint(g.x0 + g.m + 1, g.y0 - 1)});
}
