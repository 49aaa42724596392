#include "app/CreditsPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace
{

constexpr int kWidth = 225;
constexpr int kHeight = 77;
constexpr int kGround = 62; // y of the ground plane

void DrawMast(QPainter& p, double x, double top)
{
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawLine(QPointF(x, kGround), QPointF(x, top));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(x - 4, kGround), QPointF(x + 4, kGround)); // foot
}

// A dipole seen end-on as a short bar with a feed dot.
void DrawDipole(QPainter& p, QPointF at, QColor colour)
{
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(at, 1.5, 1.5);
}

void DrawArrowHead(QPainter& p, QPointF tip, QPointF from)
{
    const QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - u * 5 + n * 2.5);
    head.lineTo(tip - u * 5 - n * 2.5);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

} // namespace

QPixmap CreditsPicture()
{
    QPixmap pixmap(kWidth, kHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kGround);
    sky.setColorAt(0, QColor(214, 232, 250));
    sky.setColorAt(1, QColor(246, 250, 255));
    p.fillRect(0, 0, kWidth, kGround, sky);

    // Ground plane: a metal sheet with a hatched edge.
    p.fillRect(0, kGround, kWidth, kHeight - kGround, QColor(176, 182, 190));
    p.setPen(QPen(QColor(70, 76, 84), 1));
    p.drawLine(0, kGround, kWidth, kGround);
    for (int x = -10; x < kWidth; x += 7)
        p.drawLine(x, kHeight, x + 10, kGround + 1);

    const QPointF tx(34, 38), rx(190, 22);
    const QPointF image(tx.x(), 2 * kGround - tx.y()); // transmit antenna mirrored in the ground
    const double t = (kGround - rx.y()) / (image.y() - rx.y());
    const QPointF bounce(rx.x() + t * (image.x() - rx.x()), kGround);

    DrawMast(p, tx.x(), tx.y());
    DrawMast(p, rx.x(), 8);

    // Direct and reflected rays.
    const QColor direct(200, 40, 40), reflected(30, 90, 190);
    p.setPen(QPen(direct, 1.5));
    p.drawLine(tx, rx - QPointF(6, 0));
    DrawArrowHead(p, rx - QPointF(9, -0.3), tx);
    p.setPen(QPen(reflected, 1.5));
    p.drawLine(tx, bounce);
    p.drawLine(bounce, rx - QPointF(6, -1));
    DrawArrowHead(p, rx - QPointF(9, -1.8), bounce);

    // Receive height scan along the mast.
    p.setPen(QPen(QColor(40, 120, 40), 1.2));
    const double scanX = rx.x() + 14;
    p.drawLine(QPointF(scanX, 12), QPointF(scanX, 54));
    DrawArrowHead(p, QPointF(scanX, 9), QPointF(scanX, 20));
    DrawArrowHead(p, QPointF(scanX, 57), QPointF(scanX, 46));

    DrawDipole(p, tx, QColor(40, 40, 40));
    DrawDipole(p, rx, QColor(40, 40, 40));

    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(50, 60, 80));
    p.drawText(QRectF(tx.x() - 16, tx.y() - 20, 40, 12), Qt::AlignCenter, QStringLiteral("Tx"));
    p.drawText(QRectF(rx.x() - 36, 4, 30, 12), Qt::AlignCenter, QStringLiteral("Rx"));
    p.drawText(QRectF(96, 4, 60, 12), Qt::AlignCenter, QStringLiteral("NSA"));
    return pixmap;
}
