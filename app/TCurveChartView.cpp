#include "app/TCurveChartView.h"

#include "app/AxisScale.h"
#include "app/CurveChart.h"
#include "app/NearestPoint.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <QWheelEvent>
#include <QXYSeries>

#include <cmath>
#include <vector>

namespace
{

constexpr qreal kOverlayZ = 1000;   // above the series
constexpr int kLeastBandPixels = 4; // a smaller band is a click, not a zoom
constexpr double kWheelStep = 0.8;  // one notch in shows 80 % of the band
constexpr qreal kReadoutPadding = 3;

QString Number(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

TCurveChartView::TCurveChartView(QChart* chart, QWidget* parent)
    : QChartView(chart, parent), band_(new QRubberBand(QRubberBand::Rectangle, this))
{
    setMouseTracking(true);
    setRubberBand(QChartView::NoRubberBand); // ours keeps both charts in step

    const QPen crossPen(QColor(0, 0, 0, 110), 0, Qt::DotLine);
    crossX_ = new QGraphicsLineItem;
    crossY_ = new QGraphicsLineItem;
    marker_ = new QGraphicsEllipseItem(-4, -4, 8, 8);
    marker_->setPen(QPen(Qt::black, 1));
    readoutBox_ = new QGraphicsRectItem;
    readoutBox_->setBrush(QColor(255, 255, 225, 235));
    readoutBox_->setPen(QPen(QColor(0, 0, 0, 140), 0));
    readout_ = new QGraphicsSimpleTextItem(readoutBox_);
    readout_->setFont(parent ? parent->font() : font());
    for (QGraphicsItem* item :
         std::initializer_list<QGraphicsItem*>{crossX_, crossY_, marker_, readoutBox_}) {
        item->setZValue(kOverlayZ);
        item->setVisible(false);
        scene()->addItem(item);
    }
    crossX_->setPen(crossPen);
    crossY_->setPen(crossPen);
}

QValueAxis* TCurveChartView::XAxis() const
{
    return BottomAxis(chart());
}

QValueAxis* TCurveChartView::YAxis() const
{
    return LeftAxis(chart());
}

QRectF TCurveChartView::PlotArea() const
{
    return mapFromScene(chart()->mapToScene(chart()->plotArea())).boundingRect();
}

QPointF TCurveChartView::ValueAt(QPointF viewPos) const
{
    const QRectF area = chart()->plotArea();
    const QPointF p = chart()->mapFromScene(mapToScene(viewPos.toPoint()));
    const QValueAxis* x = XAxis();
    const QValueAxis* y = YAxis();
    return {x->min() + (p.x() - area.left()) / area.width() * (x->max() - x->min()),
            y->max() - (p.y() - area.top()) / area.height() * (y->max() - y->min())};
}

QPointF TCurveChartView::PositionOf(QPointF value) const
{
    const QRectF area = chart()->plotArea();
    const QValueAxis* x = XAxis();
    const QValueAxis* y = YAxis();
    const QPointF inChart(
        area.left() + (value.x() - x->min()) / (x->max() - x->min()) * area.width(),
        area.bottom() - (value.y() - y->min()) / (y->max() - y->min()) * area.height());
    return chart()->mapToScene(inChart);
}

void TCurveChartView::SetXRange(double low, double high)
{
    ApplyAxisScale(XAxis(), ScaleForView(low, high));
}

void TCurveChartView::SetYRange(double low, double high)
{
    ApplyAxisScale(YAxis(), ScaleForView(low, high));
}

void TCurveChartView::AnnounceFrequencyRange()
{
    emit FrequencyRangeChanged(XAxis()->min(), XAxis()->max());
}

void TCurveChartView::ResetZoom()
{
    zoomed_ = false;
    HideReadout();
    ScaleAxesToData(chart());
}

void TCurveChartView::ShowFrequencyRange(double low, double high)
{
    zoomed_ = true;
    HideReadout();
    SetXRange(low, high);
}

void TCurveChartView::ZoomTo(const QRectF& values)
{
    zoomed_ = true;
    HideReadout();
    SetXRange(values.left(), values.right());
    SetYRange(values.top(), values.bottom());
    AnnounceFrequencyRange();
}

void TCurveChartView::ZoomFrequency(double factor, double centre)
{
    const double low = XAxis()->min(), high = XAxis()->max();
    zoomed_ = true;
    HideReadout();
    SetXRange(centre - (centre - low) * factor, centre + (high - centre) * factor);
    AnnounceFrequencyRange();
}

void TCurveChartView::PanBy(QPointF pixels)
{
    const QRectF area = chart()->plotArea();
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const double dx = pixels.x() / area.width() * (XAxis()->max() - XAxis()->min());
    const double dy = pixels.y() / area.height() * (YAxis()->max() - YAxis()->min());
    zoomed_ = true;
    HideReadout();
    SetXRange(XAxis()->min() - dx, XAxis()->max() - dx);
    SetYRange(YAxis()->min() + dy, YAxis()->max() + dy);
    AnnounceFrequencyRange();
}

void TCurveChartView::ResetZoomByUser()
{
    ResetZoom();
    emit ZoomResetByUser();
}

void TCurveChartView::HideReadout()
{
    for (QGraphicsItem* item :
         std::initializer_list<QGraphicsItem*>{crossX_, crossY_, marker_, readoutBox_})
        item->setVisible(false);
    readout_->setText(QString());
}

QString TCurveChartView::ReadoutText() const
{
    return readout_->text();
}

void TCurveChartView::ShowReadoutAt(QPointF viewPos)
{
    const QRectF area = PlotArea();
    if (!area.contains(viewPos) || area.width() <= 0 || area.height() <= 0) {
        HideReadout();
        return;
    }
    const QValueAxis* x = XAxis();
    const QValueAxis* y = YAxis();
    std::vector<QList<QPointF>> points;
    std::vector<QXYSeries*> shown;
    for (QAbstractSeries* s : chart()->series())
        if (auto* xy = qobject_cast<QXYSeries*>(s); xy && xy->isVisible()) {
            points.push_back(xy->points());
            shown.push_back(xy);
        }
    const QRectF visible(QPointF(x->min(), y->min()), QPointF(x->max(), y->max()));
    const std::optional<TPointRef> nearest =
        NearestPoint(points, ValueAt(viewPos), visible, area.width() / (x->max() - x->min()),
                     area.height() / (y->max() - y->min()));
    if (!nearest) {
        HideReadout();
        return;
    }
    const QPointF value = points[nearest->series][nearest->point];
    QXYSeries* series = shown[nearest->series];

    const QRectF sceneArea = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const QPointF cursor = mapToScene(viewPos.toPoint());
    crossX_->setLine(sceneArea.left(), cursor.y(), sceneArea.right(), cursor.y());
    crossY_->setLine(cursor.x(), sceneArea.top(), cursor.x(), sceneArea.bottom());
    const QPointF at = PositionOf(value);
    marker_->setPos(at);
    marker_->setBrush(series->color());

    QStringList lines;
    if (!series->name().isEmpty())
        lines << series->name();
    lines << x->titleText() + QStringLiteral(": ") + Number(value.x());
    lines << y->titleText() + QStringLiteral(": ") + Number(value.y());
    readout_->setText(lines.join(QLatin1Char('\n')));
    readout_->setPos(kReadoutPadding, kReadoutPadding);
    const QRectF text = readout_->boundingRect();
    const QSizeF box(text.width() + 2 * kReadoutPadding, text.height() + 2 * kReadoutPadding);
    // Beside the point, flipped to the other side where it would leave the plot area.
    QPointF corner = at + QPointF(10, 10);
    if (corner.x() + box.width() > sceneArea.right())
        corner.setX(at.x() - 10 - box.width());
    if (corner.y() + box.height() > sceneArea.bottom())
        corner.setY(at.y() - 10 - box.height());
    corner.setX(std::max(corner.x(), sceneArea.left()));
    corner.setY(std::max(corner.y(), sceneArea.top()));
    readoutBox_->setRect(QRectF(QPointF(0, 0), box));
    readoutBox_->setPos(corner);
    for (QGraphicsItem* item :
         std::initializer_list<QGraphicsItem*>{crossX_, crossY_, marker_, readoutBox_})
        item->setVisible(true);
}

QImage TCurveChartView::ChartImage()
{
    HideReadout();
    band_->hide();
    return grab().toImage();
}

void TCurveChartView::CopyImageToClipboard()
{
    QApplication::clipboard()->setImage(ChartImage());
}

QMenu* TCurveChartView::CreateContextMenu()
{
    auto* menu = new QMenu(this);
    QAction* reset = menu->addAction(tr("Reset zoom"), this, &TCurveChartView::ResetZoomByUser);
    reset->setEnabled(zoomed_);
    QAction* legend = menu->addAction(tr("Show legend"));
    legend->setCheckable(true);
    legend->setChecked(chart()->legend()->isVisible());
    connect(legend, &QAction::toggled, this,
            [this](bool on) { chart()->legend()->setVisible(on); });
    menu->addSeparator();
    menu->addAction(tr("Copy image"), this, &TCurveChartView::CopyImageToClipboard);
    menu->addActions(actions());
    return menu;
}

void TCurveChartView::contextMenuEvent(QContextMenuEvent* event)
{
    HideReadout();
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCurveChartView::mousePressEvent(QMouseEvent* event)
{
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier));
    if (pan || event->button() == Qt::LeftButton) {
        drag_ = pan ? Drag::Pan : Drag::Band;
        dragStart_ = lastPos_ = event->position().toPoint();
        HideReadout();
        if (drag_ == Drag::Band) {
            band_->setGeometry(QRect(dragStart_, QSize()));
            band_->show();
        }
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void TCurveChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    switch (drag_) {
    case Drag::Band:
        band_->setGeometry(QRect(dragStart_, pos).normalized());
        break;
    case Drag::Pan:
        PanBy(pos - lastPos_);
        lastPos_ = pos;
        break;
    case Drag::None:
        ShowReadoutAt(event->position());
        break;
    }
    event->accept();
}

void TCurveChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    const Drag ended = drag_;
    drag_ = Drag::None;
    band_->hide();
    if (ended == Drag::Band) {
        const QRect rect =
            QRect(dragStart_, event->position().toPoint()).normalized() & PlotArea().toRect();
        if (rect.width() >= kLeastBandPixels && rect.height() >= kLeastBandPixels) {
            const QPointF a = ValueAt(rect.topLeft()), b = ValueAt(rect.bottomRight());
            ZoomTo(QRectF(QPointF(a.x(), b.y()), QPointF(b.x(), a.y())));
        }
    }
    event->accept();
}

void TCurveChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        drag_ = Drag::None;
        band_->hide();
        ResetZoomByUser();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void TCurveChartView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0 || !PlotArea().contains(event->position())) {
        event->ignore();
        return;
    }
    ZoomFrequency(std::pow(kWheelStep, notches), ValueAt(event->position()).x());
    event->accept();
}

void TCurveChartView::leaveEvent(QEvent* event)
{
    HideReadout();
    QChartView::leaveEvent(event);
}
