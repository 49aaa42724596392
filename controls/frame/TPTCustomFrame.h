#pragma once

#include "controls/frame/TPTCustomGroup.h"

#include <QWidget>

// A control that only paints: a frame, a caption inside it and whatever OnPaint
// adds. Unlike the group it has no client area of its own.
class TPTCustomFrame : public QWidget
{
    Q_OBJECT

  public:
    explicit TPTCustomFrame(QWidget* aParent = nullptr);

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
    // The palette's window colour; fully transparent means "no colour".
    QColor Color() const;
    void SetColor(const QColor& aValue);

    TPTFramePaintEvent OnPaint;

  protected:
    virtual void DoPaint(QPainter& aCanvas);

    void paintEvent(QPaintEvent* aEvent) override;
    void changeEvent(QEvent* aEvent) override;

  private:
    // Text, colour and font changes leave the frame as it is (the group style has
    // no inset, so its caption in the frame line is repainted too).
    void InvalidateInterior();

    Qt::Alignment FAlignment = Qt::AlignHCenter;
    bool FDefaultDrawing = true;
    int FFrameSpace = 2;
    TPTFrameStyle FFrameStyle = ptfsLowered;
    QString FCaption;
};
