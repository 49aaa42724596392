#include "controls/splitter/TPTSplitter.h"

#include "controls/frame/PTSystemColors.h"
#include "controls/splitter/TPTSizingLine.h"

#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <utility>

TPTSplitter::TPTSplitter(QWidget* aParent, bool aCreatePanes) : QWidget(aParent)
{
    setAutoFillBackground(true);
    resize(200, 140);
    FProportion = 65.0f / float(width());
    FSizingLine = new TPTSizingLine(this);
    UpdateCursor();
    connect(this, &QObject::objectNameChanged, this, [this] { RenamePanes(); });
    if (aCreatePanes)
        CreatePanes();
}

TPTSplitter::~TPTSplitter() = default;

void TPTSplitter::CreatePanes()
{
    for (int i = 0; i < 2; ++i) {
        if (FPanes[i])
            continue;
        auto* pane = new TPTPane(this);
        pane->SetIndex(i);
        FPanes[i] = pane;
    }
    RenamePanes();
    InitPanePos();
    for (TPTPane* pane : FPanes)
        pane->show();
    FSizingLine->raise();
}

void TPTSplitter::RenamePanes()
{
    if (objectName().isEmpty())
        return;
    for (TPTPane* pane : FPanes) {
        if (!pane)
            continue;
        const QString name =
            objectName() + QStringLiteral("_pane") + QString::number(pane->Index() + 1);
        if (pane->objectName() != name)
            pane->setObjectName(name);
    }
}

void TPTSplitter::SetStyle(TPTSplitterStyle aValue)
{
    if (aValue == FStyle)
        return;
    FStyle = aValue;
    UpdateCursor();
    InitPanePos();
}

void TPTSplitter::SetSplitterWidth(int aValue)
{
    if (aValue == FSplitterWidth)
        return;
    FSplitterWidth = aValue;
    InitPanePos();
}

void TPTSplitter::SetProportion(float aValue)
{
    FProportion = aValue;
    InternalResize(true);
}

QColor TPTSplitter::Color() const
{
    return palette().color(QPalette::Window);
}

void TPTSplitter::SetColor(const QColor& aValue)
{
    PTSetWindowColor(this, aValue);
}

TPTPane* TPTSplitter::GetPane(int aIndex) const
{
    return aIndex == 0 || aIndex == 1 ? FPanes[aIndex].data() : nullptr;
}

QColor TPTSplitter::GetPaneColor(int aIndex) const
{
    const TPTPane* pane = GetPane(aIndex);
    return pane ? pane->Color() : QColor();
}

void TPTSplitter::SetPaneColor(int aIndex, const QColor& aValue)
{
    if (TPTPane* pane = GetPane(aIndex))
        pane->SetColor(aValue);
}

TPTFrameStyle TPTSplitter::GetPaneStyle(int aIndex) const
{
    const TPTPane* pane = GetPane(aIndex);
    return pane ? pane->FrameStyle() : ptfsNone;
}

void TPTSplitter::SetPaneStyle(int aIndex, TPTFrameStyle aValue)
{
    if (TPTPane* pane = GetPane(aIndex))
        pane->SetFrameStyle(aValue);
}

int TPTSplitter::GetPaneMinSize(int aIndex) const
{
    const TPTPane* pane = GetPane(aIndex);
    return pane ? pane->MinSize() : 0;
}

void TPTSplitter::SetPaneMinSize(int aIndex, int aValue)
{
    if (TPTPane* pane = GetPane(aIndex))
        pane->SetMinSize(aValue);
}

void TPTSplitter::SwapPanes(bool aAdjust)
{
    std::swap(FPanes[0], FPanes[1]);
    for (int i = 0; i < 2; ++i) {
        if (FPanes[i])
            FPanes[i]->SetIndex(i);
    }
    if (aAdjust)
        FPosition = Extent() - FPosition;
    InitPanePos();
}

int TPTSplitter::Extent() const
{
    return FStyle == ptstHorizontal ? height() : width();
}

void TPTSplitter::InitPanePos()
{
    if (!FPanes[0])
        return;
    const QRect client = rect();
    const int start2 = FPosition + FSplitterWidth;
    // A negative Position collapses pane 1 (and the bar) to nothing.
    if (FStyle == ptstVertical) {
        FPanes[0]->setGeometry(0, 0, std::max(0, FPosition), client.height());
        if (FPanes[1])
            FPanes[1]->setGeometry(start2, 0, std::max(0, client.width() - start2),
                                   client.height());
    } else {
        FPanes[0]->setGeometry(0, 0, client.width(), std::max(0, FPosition));
        if (FPanes[1])
            FPanes[1]->setGeometry(0, start2, client.width(),
                                   std::max(0, client.height() - start2));
    }
}

void TPTSplitter::FixProportion()
{
    const int extent = Extent();
    FProportion = extent == 0 ? 0.5f : float(FPosition) / float(extent);
    FCollapsed = FPosition < 0;
}

void TPTSplitter::InternalSetPosition(int aValue, bool aFix)
{
    if (FPanes[0]) {
        const int min2 = FPanes[1] ? FPanes[1]->MinSize() : 0;
        if (aValue < FPanes[0]->MinSize())
            aValue = FPanes[0]->MinSize();
        else if (aValue > Extent() - min2)
            aValue = Extent() - min2;
    }
    if (aValue == FPosition)
        return;
    FPosition = aValue;
    InitPanePos();
    if (aFix)
        FixProportion();
    Change();
}

void TPTSplitter::InternalResize(bool aForce)
{
    // A collapsed pane 1 stays collapsed: its negative share of a smaller extent
    // would bring a sliver of the bar back. One that a small extent squeezed
    // out comes back with its share when the extent grows again.
    if (aForce || (FProportional && !FCollapsed)) {
        // nearbyint rounds halves to the even neighbour.
        const double wanted = std::nearbyint(double(Extent()) * double(FProportion));
        InternalSetPosition(int(wanted), false);
    }
    if (OnResize)
        OnResize(this);
}

void TPTSplitter::Change()
{
    if (OnChange)
        OnChange(this);
}

void TPTSplitter::SplitterDrag(int aCoordinate)
{
    if (OnSplitterDrag)
        OnSplitterDrag(this, aCoordinate);
}

void TPTSplitter::SplitterDrop(int aPosition)
{
    FixProportion();
    if (OnSplitterDrop)
        OnSplitterDrop(this, aPosition);
}

void TPTSplitter::PaintSizingLine()
{
    if (FSizingLine->isVisible()) {
        FSizingLine->hide();
        return;
    }
    const int at = FDragCoordinate - FGrabOffset;
    const QRect bar = FStyle == ptstVertical ? QRect(at, 0, FSplitterWidth, height())
                                             : QRect(0, at, width(), FSplitterWidth);
    FSizingLine->ShowAt(bar);
}

void TPTSplitter::resizeEvent(QResizeEvent* aEvent)
{
    QWidget::resizeEvent(aEvent);
    InternalResize(false);
    InitPanePos();
}

int TPTSplitter::Coordinate(const QPoint& aPoint) const
{
    return FStyle == ptstVertical ? aPoint.x() : aPoint.y();
}

int TPTSplitter::ClampDragCoordinate(int aCoordinate) const
{
    const int min1 = GetPaneMinSize(0);
    const int min2 = GetPaneMinSize(1);
    if (aCoordinate - FGrabOffset < min1)
        return min1 + FGrabOffset;
    if (aCoordinate - FGrabOffset > Extent() - min2)
        return Extent() + FGrabOffset - min2;
    return aCoordinate;
}

bool TPTSplitter::FullDrag() const
{
    switch (FFullDragMode) {
    case ptfdOff:
        return false;
    case ptfdOn:
        return true;
    case ptfdUser:
        break;
    }
    return style()->styleHint(QStyle::SH_Splitter_OpaqueResize, nullptr, this) != 0;
}

void TPTSplitter::SetDragCoordinate(int aValue)
{
    if (!FullDrag()) {
        if (FDragCoordinate >= 0)
            PaintSizingLine();
        FDragCoordinate = aValue;
        if (aValue >= 0)
            PaintSizingLine();
    } else if (aValue >= 0) {
        FDragCoordinate = aValue;
        SetPosition(aValue - FGrabOffset);
    }
    SplitterDrag(FDragCoordinate);
}

void TPTSplitter::EndDrag()
{
    if (!FDragging)
        return;
    SetDragCoordinate(-1);
    // A feedback left over from a change of the drag mode must not stay behind.
    FSizingLine->hide();
    FDragging = false;
    FDragButton = Qt::NoButton;
}

void TPTSplitter::mousePressEvent(QMouseEvent* aEvent)
{
    if (FDragging) {
        EndDrag();
        return;
    }
    const QPoint pos = aEvent->position().toPoint();
    // Presses that a pane left unhandled reach us too; only the bar starts a drag.
    for (const TPTPane* pane : FPanes) {
        if (pane && pane->geometry().contains(pos)) {
            aEvent->ignore();
            return;
        }
    }
    if (aEvent->button() != Qt::LeftButton || !FPanes[0]) {
        aEvent->ignore();
        return;
    }
    FDragButton = aEvent->button();
    FGrabOffset = Coordinate(pos) - FPosition;
    FDragging = true;
    FDragCoordinate = -1;
    SetDragCoordinate(ClampDragCoordinate(Coordinate(pos)));
}

void TPTSplitter::mouseMoveEvent(QMouseEvent* aEvent)
{
    if (!FDragging)
        return;
    const int c = ClampDragCoordinate(Coordinate(aEvent->position().toPoint()));
    if (c != FDragCoordinate)
        SetDragCoordinate(c);
}

void TPTSplitter::mouseReleaseEvent(QMouseEvent* aEvent)
{
    if (!FDragging || aEvent->button() != FDragButton)
        return;
    const int c = ClampDragCoordinate(Coordinate(aEvent->position().toPoint()));
    if (c != FDragCoordinate)
        SetDragCoordinate(c);
    const int old = FPosition;
    FPosition = FDragCoordinate - FGrabOffset;
    EndDrag();
    InitPanePos();
    SplitterDrop(FPosition);
    if (FPosition != old)
        Change();
}

void TPTSplitter::hideEvent(QHideEvent* aEvent)
{
    EndDrag();
    QWidget::hideEvent(aEvent);
}

bool TPTSplitter::event(QEvent* aEvent)
{
    switch (aEvent->type()) {
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
        EndDrag();
        break;
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    return QWidget::event(aEvent);
}

void TPTSplitter::UpdateCursor()
{
    setCursor(FStyle == ptstVertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}
