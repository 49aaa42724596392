#include "dialogs/form/DialogGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace
{

const QColor kInk(60, 60, 60);
const QColor kFolder(232, 186, 74);
const QColor kFolderEdge(166, 124, 30);
const QColor kAccent(52, 120, 200);

// A folder in the 16-unit box, from (x, y) with width w.
void DrawFolder(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(x, y + 1.5);
    path.lineTo(x + w * 0.4, y + 1.5);
    path.lineTo(x + w * 0.5, y + 3);
    path.lineTo(x + w, y + 3);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(kFolder);
    p.drawPath(path);
}

void DrawGlyph(QPainter& p, TPTDialogGlyph glyph)
{
    switch (glyph) {
    case TPTDialogGlyph::UpOneLevel: {
        DrawFolder(p, 1.5, 4.5, 13, 10);
        p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(8, 13), QPointF(8, 1.5));
        p.drawPolyline(QPolygonF({QPointF(4.5, 5), QPointF(8, 1.5), QPointF(11.5, 5)}));
        break;
    }
    case TPTDialogGlyph::ShowDesktop:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(90, 150, 215));
        p.drawRect(QRectF(1.5, 2.5, 13, 9));
        p.setBrush(kInk);
        p.drawRect(QRectF(6.5, 11.5, 3, 2));
        p.drawRect(QRectF(4.5, 13.5, 7, 1));
        break;
    case TPTDialogGlyph::CreateNewFolder:
        DrawFolder(p, 1.5, 5.5, 12, 9);
        p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.5, 0.8), QPointF(12.5, 6.2));
        p.drawLine(QPointF(9.8, 3.5), QPointF(15.2, 3.5));
        break;
    case TPTDialogGlyph::ShowTree:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(3.5, 4), QPointF(3.5, 12.5));
        p.drawLine(QPointF(3.5, 8.5), QPointF(7, 8.5));
        p.drawLine(QPointF(3.5, 12.5), QPointF(7, 12.5));
        DrawFolder(p, 1, 0.5, 6, 4.5);
        DrawFolder(p, 7.5, 6.5, 6.5, 4);
        DrawFolder(p, 7.5, 10.5, 6.5, 4);
        break;
    case TPTDialogGlyph::List:
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 2; ++col) {
                const qreal x = 1.5 + col * 7.5, y = 2.5 + row * 4.5;
                p.setPen(Qt::NoPen);
                p.setBrush(kAccent);
                p.drawRect(QRectF(x, y, 2.5, 2.5));
                p.setBrush(kInk);
                p.drawRect(QRectF(x + 3.5, y + 0.75, 3, 1));
            }
        }
        break;
    case TPTDialogGlyph::Details:
        for (int row = 0; row < 4; ++row) {
            const qreal y = 1.5 + row * 3.5;
            p.setPen(Qt::NoPen);
            p.setBrush(row == 0 ? kInk : kAccent);
            p.drawRect(QRectF(1.5, y, 2.5, 2.5));
            p.setBrush(kInk);
            p.drawRect(QRectF(5, y + 0.75, 5, 1));
            p.drawRect(QRectF(11.5, y + 0.75, 3, 1));
        }
        break;
    }
}

QPixmap Render(TPTDialogGlyph glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    DrawGlyph(p, glyph);
    return pixmap;
}

} // namespace

QIcon PTDialogGlyph(TPTDialogGlyph glyph)
{
    QIcon icon;
    icon.addPixmap(Render(glyph, 16));
    icon.addPixmap(Render(glyph, 32));
    return icon;
}
