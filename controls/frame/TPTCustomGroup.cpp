#include "controls/frame/TPTCustomGroup.h"

#include "controls/frame/PTSystemColors.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>

TPTCustomGroup::TPTCustomGroup(QWidget* aParent) : QWidget(aParent)
{
    resize(64, 48);
    UpdateClientMargins();
}

void TPTCustomGroup::SetAlignment(Qt::Alignment aValue)
{
    FAlignment = aValue & Qt::AlignHorizontal_Mask;
    update();
}

void TPTCustomGroup::SetDefaultDrawing(bool aValue)
{
    FDefaultDrawing = aValue;
    update();
}

void TPTCustomGroup::SetFrameSpace(int aValue)
{
    FFrameSpace = aValue;
    update();
}

void TPTCustomGroup::SetFrameStyle(TPTFrameStyle aValue)
{
    if (aValue == FFrameStyle)
        return;
    FFrameStyle = aValue;
    UpdateClientMargins();
}

void TPTCustomGroup::SetCaption(const QString& aValue)
{
    if (aValue == FCaption)
        return;
    FCaption = aValue;
    // Only the group frame's inset depends on the caption.
    if ((FFrameStyle & 0x7F) == ptfsGroup)
        UpdateClientMargins();
    update();
}

QColor TPTCustomGroup::Color() const
{
    return palette().color(QPalette::Window);
}

void TPTCustomGroup::SetColor(const QColor& aValue)
{
    PTSetWindowColor(this, aValue);
}

void TPTCustomGroup::UpdateClientMargins()
{
    QMargins margins;
    if ((FFrameStyle & 0x7F) == ptfsGroup) {
        const int top = FCaption.isEmpty() ? 2 : QFontMetrics(font()).height();
        margins = QMargins(2, top, 2, 2);
    } else {
        const QRect outer(0, 0, 100, 100);
        QRect inner = outer;
        AdjustRectForFrame(FFrameStyle, inner);
        margins = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                           outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    setContentsMargins(margins);
    update();
}

void TPTCustomGroup::PaintNonClient(QPainter& aCanvas, const QRect& aRect)
{
    aCanvas.setBrush(Qt::NoBrush);
    aCanvas.setFont(font());
    aCanvas.setPen(palette().color(QPalette::WindowText));
    if ((FFrameStyle & 0x7F) == ptfsGroup)
        DrawGroupFrame(aCanvas, aRect, FCaption, isEnabled(), Color(), palette());
    else
        DrawFrame(FFrameStyle, aCanvas, aRect, palette());
}

void TPTCustomGroup::DoPaint(QPainter& aCanvas)
{
    if (OnPaint)
        OnPaint(this, aCanvas);
}

void TPTCustomGroup::paintEvent(QPaintEvent*)
{
    const QRect client = ClientRect();
    QPainter canvas(this);
    canvas.save();
    canvas.setClipRegion(QRegion(rect()).subtracted(client));
    PaintNonClient(canvas, rect());
    canvas.restore();

    canvas.setClipRect(client);
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::WindowText));
    const QColor color = Color();
    const bool hasColor = color.alpha() != 0;
    if (hasColor) {
        canvas.setBrush(color);
        if (FDefaultDrawing)
            canvas.fillRect(client, color);
    }
    if (FDefaultDrawing && (FFrameStyle & 0x7F) != ptfsGroup) {
        const QRect box = client.adjusted(FFrameSpace, 0, -FFrameSpace, 0);
        DrawCaption(canvas, box, FCaption, FAlignment, true, hasColor, color);
    }
    DoPaint(canvas);
}

void TPTCustomGroup::changeEvent(QEvent* aEvent)
{
    QWidget::changeEvent(aEvent);
    switch (aEvent->type()) {
    case QEvent::EnabledChange: {
        // Children follow the group's own state both ways, also those disabled
        // on their own. Qt also sends this when an ancestor changes; that state
        // reaches the children through Qt and must not overwrite theirs.
        const bool ownEnabled = !testAttribute(Qt::WA_ForceDisabled);
        if (ownEnabled != FOwnEnabled) {
            FOwnEnabled = ownEnabled;
            for (QObject* child : children()) {
                if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                    w->setEnabled(ownEnabled);
            }
        }
        update();
        break;
    }
    case QEvent::FontChange:
        UpdateClientMargins();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}
