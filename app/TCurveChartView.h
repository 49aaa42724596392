#pragma once

#include <QChartView>
#include <QPointF>
#include <QRectF>

QT_BEGIN_NAMESPACE
class QGraphicsEllipseItem;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QMenu;
class QRubberBand;
class QValueAxis;
QT_END_NAMESPACE

// A curve chart the user can read and handle: a crosshair and a readout of the
// nearest point follow the mouse; a rubber band (left button) zooms into a
// frequency and value window, the wheel zooms the frequency axis around the
// cursor, the middle button or Shift with the left button pans, and a
// double-click or "Reset zoom" goes back to the whole data. The context menu
// also toggles the legend, copies the chart as an image, and lists the
// actions its owner added with addAction().
//
// The frequency range of a user's zoom or pan is announced, so a second chart
// can show the same band; Reset zoom is announced too.
class TCurveChartView : public QChartView
{
    Q_OBJECT

  public:
    explicit TCurveChartView(QChart* chart, QWidget* parent = nullptr);

    // Axes back to the range of the data; not announced.
    void ResetZoom();
    // Shows this frequency band, keeping the value axis; not announced.
    void ShowFrequencyRange(double low, double high);
    bool IsZoomed() const { return zoomed_; }

    // The user's operations, in value coordinates; each is announced.
    void ZoomTo(const QRectF& values);
    void ZoomFrequency(double factor, double centre);
    void PanBy(QPointF pixels);
    void ResetZoomByUser();

    // The readout for the mouse at a point of the view, or hidden when no
    // visible point is near (or the point is outside the plot area).
    void ShowReadoutAt(QPointF viewPos);
    void HideReadout();
    QString ReadoutText() const; // empty while hidden

    // The chart as shown, without crosshair and readout.
    QImage ChartImage();
    void CopyImageToClipboard();

    QMenu* CreateContextMenu(); // owned by the caller

  signals:
    void FrequencyRangeChanged(double low, double high);
    void ZoomResetByUser();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QValueAxis* XAxis() const;
    QValueAxis* YAxis() const;
    QRectF PlotArea() const; // in view coordinates
    QPointF ValueAt(QPointF viewPos) const;
    QPointF PositionOf(QPointF value) const; // in scene coordinates
    void SetXRange(double low, double high);
    void SetYRange(double low, double high);
    void AnnounceFrequencyRange();

    enum class Drag { None, Band, Pan };
    Drag drag_ = Drag::None;
    QPoint dragStart_;
    QPoint lastPos_;
    QRubberBand* band_;
    bool zoomed_ = false;

    QGraphicsLineItem* crossX_;
    QGraphicsLineItem* crossY_;
    QGraphicsEllipseItem* marker_;
    QGraphicsRectItem* readoutBox_;
    QGraphicsSimpleTextItem* readout_;
};
