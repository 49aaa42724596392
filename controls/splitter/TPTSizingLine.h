#pragma once

#include <QImage>
#include <QWidget>

// The drag feedback of a splitter that does not drag full windows: the bar's
// rectangle with every pixel whose x and y differ in parity inverted, a 50 %
// checkerboard laid over what lies below. Qt cannot invert pixels on a widget in
// place, so this child shows an inverted copy of the splitter's own rendering.
class TPTSizingLine : public QWidget
{
    Q_OBJECT

  public:
    explicit TPTSizingLine(QWidget* aSplitter);

    // Shows the feedback over aRect (splitter coordinates), rendering what lies
    // below it first; the feedback must be hidden while that happens.
    void ShowAt(const QRect& aRect);

    // Inverts the pixels of aImage whose absolute position (aOrigin plus the
    // pixel's offset, in device pixels) has x and y of different parity.
    static void InvertCheckerboard(QImage& aImage, const QPoint& aOrigin);

  protected:
    void paintEvent(QPaintEvent* aEvent) override;

  private:
    QImage FImage;
};
