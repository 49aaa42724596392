#pragma once

#include "controls/frame/PTFrameDrawing.h"

#include <QWidget>

#include <functional>

class QPainter;

using TPTFramePaintEvent = std::function<void(QObject* aSender, QPainter& aCanvas)>;

// A container whose frame lies outside its client area. The frame's inset is the
// widget's contents margins, so a layout set on the group (or children placed in
// ClientRect()) sits inside the frame; the ptfsGroup caption moves the client
// area down by one text height.
class TPTCustomGroup : public QWidget
{
    Q_OBJECT

  public:
    explicit TPTCustomGroup(QWidget* aParent = nullptr);

    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment aValue);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool aValue);
    int FrameSpace() const { return FFrameSpace; }
    void SetFrameSpace(int aValue);
    TPTFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TPTFrameStyle aValue);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& aValue);
    // The background (the palette's window colour); a fully transparent colour
    // stands for "no colour": nothing is filled.
    QColor Color() const;
    void SetColor(const QColor& aValue);

    // The client area in widget coordinates: the widget minus the frame.
    QRect ClientRect() const { return contentsRect(); }

    TPTFramePaintEvent OnPaint;

  protected:
    // Draws the frame into aRect, the whole widget in inclusive form; the client
    // area is clipped away.
    virtual void PaintNonClient(QPainter& aCanvas, const QRect& aRect);
    virtual void DoPaint(QPainter& aCanvas);

    void paintEvent(QPaintEvent* aEvent) override;
    void changeEvent(QEvent* aEvent) override;

  private:
    void UpdateClientMargins();

    Qt::Alignment FAlignment = Qt::AlignHCenter;
    bool FDefaultDrawing = true;
    int FFrameSpace = 2;
    TPTFrameStyle FFrameStyle = ptfsGroup;
    QString FCaption;
    bool FOwnEnabled = true; // the group's own Enabled, as last passed to the children
};
