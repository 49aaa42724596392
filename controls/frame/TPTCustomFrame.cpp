#include "controls/frame/TPTCustomFrame.h"

#include "controls/frame/PTSystemColors.h"

#include <QEvent>
#include <QPainter>

TPTCustomFrame::TPTCustomFrame(QWidget* aParent) : QWidget(aParent)
{
    resize(64, 48);
}

void TPTCustomFrame::SetAlignment(Qt::Alignment aValue)
{
    FAlignment = aValue & Qt::AlignHorizontal_Mask;
    update();
}

void TPTCustomFrame::SetDefaultDrawing(bool aValue)
{
    FDefaultDrawing = aValue;
    update();
}

void TPTCustomFrame::SetFrameSpace(int aValue)
{
    FFrameSpace = aValue;
    update();
}

void TPTCustomFrame::SetFrameStyle(TPTFrameStyle aValue)
{
    FFrameStyle = aValue;
    update();
}

void TPTCustomFrame::SetCaption(const QString& aValue)
{
    if (aValue == FCaption)
        return;
    FCaption = aValue;
    InvalidateInterior();
}

QColor TPTCustomFrame::Color() const
{
    return palette().color(QPalette::Window);
}

void TPTCustomFrame::SetColor(const QColor& aValue)
{
    PTSetWindowColor(this, aValue);
}

void TPTCustomFrame::InvalidateInterior()
{
    QRect interior = rect();
    AdjustRectForFrame(FFrameStyle, interior);
    update(interior);
}

void TPTCustomFrame::DoPaint(QPainter& aCanvas)
{
    if (OnPaint)
        OnPaint(this, aCanvas);
}

void TPTCustomFrame::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const QColor color = Color();
    if (color.alpha() != 0 && FDefaultDrawing)
        canvas.fillRect(rect(), color);
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::WindowText));
    const QRect r = rect();
    const bool group = (FFrameStyle & 0x7F) == ptfsGroup;
    if (group)
        DrawGroupFrame(canvas, r, FCaption, isEnabled(), color, palette());
    else
        DrawFrame(FFrameStyle, canvas, r, palette());
    if (FDefaultDrawing && !group) {
        const QRect box(QPoint(r.left() + FFrameSpace, r.top()),
                        QPoint(r.right() - FFrameSpace, r.bottom()));
        DrawCaption(canvas, box, FCaption, FAlignment, true, false, color);
    }
    DoPaint(canvas);
}

void TPTCustomFrame::changeEvent(QEvent* aEvent)
{
    QWidget::changeEvent(aEvent);
    switch (aEvent->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        InvalidateInterior();
        break;
    case QEvent::EnabledChange:
        update();
        break;
    default:
        break;
    }
}
