#include "controls/frame/PTFrameDrawing.h"

#include "controls/frame/PTSystemColors.h"

#include <QFontMetrics>
#include <QPainter>

#include <initializer_list>

namespace
{

// One segment of a polyline: from a up to, but not including, b. The frames only
// use horizontal and vertical segments.
void Segment(QPainter& aCanvas, QPoint a, QPoint b, const QColor& aColor)
{
    if (a.y() == b.y()) {
        if (b.x() > a.x())
            aCanvas.fillRect(a.x(), a.y(), b.x() - a.x(), 1, aColor);
        else if (b.x() < a.x())
            aCanvas.fillRect(b.x() + 1, a.y(), a.x() - b.x(), 1, aColor);
    } else if (a.x() == b.x()) {
        if (b.y() > a.y())
            aCanvas.fillRect(a.x(), a.y(), 1, b.y() - a.y(), aColor);
        else
            aCanvas.fillRect(a.x(), b.y() + 1, 1, a.y() - b.y(), aColor);
    }
}

// A polyline without its last point, the way the frame geometry is given.
void Polyline(QPainter& aCanvas, std::initializer_list<QPoint> aPoints, const QColor& aColor)
{
    const QPoint* prev = nullptr;
    for (const QPoint& p : aPoints) {
        if (prev)
            Segment(aCanvas, *prev, p, aColor);
        prev = &p;
    }
}

// The outline of the pixels x1..x2-1, y1..y2-1 (exclusive right and bottom), the
// interior filled with aBrush unless it has no style.
void Rectangle(QPainter& aCanvas, int x1, int y1, int x2, int y2, const QColor& aPen,
               const QBrush& aBrush = Qt::NoBrush)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    if (aBrush.style() != Qt::NoBrush && x2 - x1 > 2 && y2 - y1 > 2)
        aCanvas.fillRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2, aBrush);
    aCanvas.fillRect(x1, y1, x2 - x1, 1, aPen);
    aCanvas.fillRect(x1, y2 - 1, x2 - x1, 1, aPen);
    aCanvas.fillRect(x1, y1, 1, y2 - y1, aPen);
    aCanvas.fillRect(x2 - 1, y1, 1, y2 - y1, aPen);
}

// The four polylines of the 2-pixel frames; the 1-pixel frames use the outer two.
void FourLines(QPainter& aCanvas, const QRect& r, const QColor& c1, const QColor& c2,
               const QColor& c3, const QColor& c4)
{
    const int L = r.left(), T = r.top(), R = r.right(), B = r.bottom();
    Polyline(aCanvas, {{L, B - 1}, {L, T}, {R, T}}, c1);
    Polyline(aCanvas, {{L + 1, B - 2}, {L + 1, T + 1}, {R - 1, T + 1}}, c2);
    Polyline(aCanvas, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T}}, c3);
    Polyline(aCanvas, {{L, B}, {R, B}, {R, T - 1}}, c4);
}

void OuterLines(QPainter& aCanvas, const QRect& r, const QColor& c1, const QColor& c4)
{
    const int L = r.left(), T = r.top(), R = r.right(), B = r.bottom();
    Polyline(aCanvas, {{L, B - 1}, {L, T}, {R, T}}, c1);
    Polyline(aCanvas, {{L, B}, {R, B}, {R, T - 1}}, c4);
}

} // namespace

void DrawLoweredFrame(QPainter& aCanvas, const QRect& aRect, const QPalette& aPalette)
{
    FourLines(aCanvas, aRect, PTSysColor(clBtnShadow, aPalette), PTSysColor(cl3DDkShadow, aPalette),
              PTSysColor(clBtnFace, aPalette), PTSysColor(clBtnHighlight, aPalette));
}

void DrawRaisedFrame(QPainter& aCanvas, const QRect& aRect, const QPalette& aPalette)
{
    FourLines(aCanvas, aRect, PTSysColor(clBtnHighlight, aPalette), PTSysColor(clBtnFace, aPalette),
              PTSysColor(clBtnShadow, aPalette), PTSysColor(cl3DDkShadow, aPalette));
}

void DrawDintFrame(QPainter& aCanvas, const QRect& aRect, const QPalette& aPalette)
{
    OuterLines(aCanvas, aRect, PTSysColor(clBtnShadow, aPalette),
               PTSysColor(clBtnHighlight, aPalette));
}

void DrawBumpFrame(QPainter& aCanvas, const QRect& aRect, const QPalette& aPalette)
{
    OuterLines(aCanvas, aRect, PTSysColor(clBtnHighlight, aPalette),
               PTSysColor(clBtnShadow, aPalette));
}

void DrawSingleFrame(QPainter& aCanvas, const QRect& aRect, const QPalette& aPalette)
{
    Rectangle(aCanvas, aRect.left(), aRect.top(), aRect.right() + 1, aRect.bottom() + 1,
              PTSysColor(clWindowFrame, aPalette), aCanvas.brush());
}

void DrawHorzLine(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2)
{
    const int L = aRect.left(), T = aRect.top(), R = aRect.right();
    Polyline(aCanvas, {{L, T}, {R + 1, T}}, aColor1);
    Polyline(aCanvas, {{L, T + 1}, {R + 1, T + 1}}, aColor2);
}

void DrawHorzEdge(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2)
{
    const int L = aRect.left(), T = aRect.top(), R = aRect.right(), B = aRect.bottom();
    Polyline(aCanvas, {{L, T}, {R + 1, T}}, aColor1);
    Polyline(aCanvas, {{L, B - 1}, {R + 1, B - 1}}, aColor1);
    Polyline(aCanvas, {{L, T + 1}, {R + 1, T + 1}}, aColor2);
    Polyline(aCanvas, {{L, B}, {R + 1, B}}, aColor2);
}

void DrawVertLine(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2)
{
    const int L = aRect.left(), T = aRect.top(), B = aRect.bottom();
    Polyline(aCanvas, {{L, T}, {L, B + 1}}, aColor1);
    Polyline(aCanvas, {{L + 1, T}, {L + 1, B + 1}}, aColor2);
}

void DrawVertEdge(QPainter& aCanvas, const QRect& aRect, const QColor& aColor1,
                  const QColor& aColor2)
{
    const int L = aRect.left(), T = aRect.top(), R = aRect.right(), B = aRect.bottom();
    Polyline(aCanvas, {{L, T}, {L, B + 1}}, aColor1);
    Polyline(aCanvas, {{R - 1, T}, {R - 1, B + 1}}, aColor1);
    Polyline(aCanvas, {{L + 1, T}, {L + 1, B + 1}}, aColor2);
    Polyline(aCanvas, {{R, T}, {R, B + 1}}, aColor2);
}

void DrawCaption(QPainter& aCanvas, const QRect& aBox, const QString& aText,
                 Qt::Alignment aHorzAlign, bool aVCenter, bool aOpaque, const QColor& aBackground)
{
    const int flags = int(aHorzAlign & Qt::AlignHorizontal_Mask) |
                      (aVCenter ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextSingleLine |
                      Qt::TextShowMnemonic;
    const QFontMetrics fm = aCanvas.fontMetrics();
    const QString shown = fm.elidedText(aText, Qt::ElideRight, aBox.width(), Qt::TextShowMnemonic);
    if (shown.isEmpty())
        return;
    aCanvas.save();
    aCanvas.setClipRect(aBox, Qt::IntersectClip);
    if (aOpaque)
        aCanvas.fillRect(fm.boundingRect(aBox, flags, shown), aBackground);
    aCanvas.drawText(aBox, flags, shown);
    aCanvas.restore();
}

void DrawGroupFrame(QPainter& aCanvas, const QRect& aRect, const QString& aCaption, bool aEnabled,
                    const QColor& aColor, const QPalette& aPalette)
{
    const int L = aRect.left(), T = aRect.top(), R = aRect.right(), B = aRect.bottom();
    aCanvas.fillRect(aRect, aColor);

    const int h = aCaption.isEmpty() ? 2 : aCanvas.fontMetrics().height();
    const int top = T + h / 2 - 1;
    const QColor shadow = PTSysColor(clBtnShadow, aPalette);
    const QColor highlight = PTSysColor(clBtnHighlight, aPalette);
    // The light line one pixel right and below the dark one gives the etched look.
    Rectangle(aCanvas, L + 1, top + 1, R + 1, B + 1, highlight);
    Rectangle(aCanvas, L, top, R, B, shadow);

    if (aCaption.isEmpty())
        return;
    // The caption is drawn on the background colour so that it hides the frame line.
    const QRect box(QPoint(L + 8, T), QPoint(R - 9 - 1, T + h - 1));
    aCanvas.save();
    if (aEnabled) {
        DrawCaption(aCanvas, box, aCaption, Qt::AlignLeft, false, true, aColor);
    } else {
        aCanvas.setPen(highlight);
        DrawCaption(aCanvas, box.translated(1, 1), aCaption, Qt::AlignLeft, false, true, aColor);
        aCanvas.setPen(shadow);
        DrawCaption(aCanvas, box, aCaption, Qt::AlignLeft, false, false, aColor);
    }
    aCanvas.restore();
}

void DrawFrame(TPTFrameStyle aStyle, QPainter& aCanvas, const QRect& aRect,
               const QPalette& aPalette)
{
    const QColor shadow = PTSysColor(clBtnShadow, aPalette);
    const QColor highlight = PTSysColor(clBtnHighlight, aPalette);
    switch (TPTFrameStyle(aStyle & 0x7F)) {
    case ptfsNone:
        break;
    case ptfsGroup:
        DrawGroupFrame(aCanvas, aRect, QString(), true, aCanvas.brush().color(), aPalette);
        break;
    case ptfsLowered:
        DrawLoweredFrame(aCanvas, aRect, aPalette);
        break;
    case ptfsRaised:
        DrawRaisedFrame(aCanvas, aRect, aPalette);
        break;
    case ptfsDint:
        DrawDintFrame(aCanvas, aRect, aPalette);
        break;
    case ptfsBump:
        DrawBumpFrame(aCanvas, aRect, aPalette);
        break;
    case ptfsSingle:
        DrawSingleFrame(aCanvas, aRect, aPalette);
        break;
    case ptfsHorzLine:
        DrawHorzLine(aCanvas, aRect, shadow, highlight);
        break;
    case ptfsHorzEdge:
        DrawHorzEdge(aCanvas, aRect, shadow, highlight);
        break;
    case ptfsVertLine:
        DrawVertLine(aCanvas, aRect, shadow, highlight);
        break;
    case ptfsVertEdge:
        DrawVertEdge(aCanvas, aRect, shadow, highlight);
        break;
    }
}

void AdjustRectForFrame(TPTFrameStyle aStyle, QRect& aRect)
{
    switch (TPTFrameStyle(aStyle & 0x7F)) {
    case ptfsLowered:
    case ptfsRaised:
        aRect.adjust(2, 2, -2, -2);
        break;
    case ptfsDint:
    case ptfsBump:
    case ptfsSingle:
        aRect.adjust(1, 1, -1, -1);
        break;
    case ptfsHorzLine:
        aRect.adjust(0, 2, 0, 0);
        break;
    case ptfsHorzEdge:
        aRect.adjust(0, 2, 0, -2);
        break;
    case ptfsVertLine:
        aRect.adjust(2, 0, 0, 0);
        break;
    case ptfsVertEdge:
        aRect.adjust(2, 0, -2, 0);
        break;
    case ptfsNone:
    case ptfsGroup:
        break;
    }
}
