#pragma once

#include "controls/PTNotifyEvent.h"
#include "controls/frame/PTFrameDrawing.h"
#include "controls/splitter/TPTPane.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class TPTSizingLine;

enum TPTSplitterStyle {
    ptstVertical = 0,   // panes left and right; the extent is the width
    ptstHorizontal = 1, // panes top and bottom; the extent is the height
};

enum TPTFullDragMode {
    ptfdOff = 0,  // always the inverted-pattern feedback, the panes move on release
    ptfdOn = 1,   // always live resizing
    ptfdUser = 2, // live resizing when the style resizes splitters opaquely
};

using TPTSplitterDragEvent = std::function<void(QObject* aSender, int aPosition)>;

// A container of exactly two panes separated by a bar the user drags. Position is
// the size of pane 1 along the extent, kept between pane 1's MinSize and the
// extent minus pane 2's MinSize. Only called on the user-interface thread.
//
// Qt delivers the resize event of a hidden widget when it is shown, so a hidden
// splitter applies its proportion to the size it has when it appears.
class TPTSplitter : public QWidget
{
    Q_OBJECT

  public:
    // Forms build their panes through the constructor; aCreatePanes false gives a
    // splitter without panes, on which clamping and layout do nothing until
    // CreatePanes.
    explicit TPTSplitter(QWidget* aParent = nullptr, bool aCreatePanes = true);
    ~TPTSplitter() override;

    void CreatePanes();

    TPTSplitterStyle Style() const { return FStyle; }
    void SetStyle(TPTSplitterStyle aValue);
    int SplitterWidth() const { return FSplitterWidth; }
    void SetSplitterWidth(int aValue);
    int Position() const { return FPosition; }
    void SetPosition(int aValue) { InternalSetPosition(aValue, true); }
    TPTFullDragMode FullDragMode() const { return FFullDragMode; }
    void SetFullDragMode(TPTFullDragMode aValue) { FFullDragMode = aValue; }
    bool Proportional() const { return FProportional; }
    void SetProportional(bool aValue) { FProportional = aValue; }
    float Proportion() const { return FProportion; }
    void SetProportion(float aValue);
    // The bar shows the splitter's own background, the palette's window colour.
    QColor Color() const;
    void SetColor(const QColor& aValue);

    // Pane access by slot (0 or 1). Getters answer null, an invalid colour,
    // ptfsNone or 0 for a missing pane; setters ignore it.
    TPTPane* GetPane(int aIndex) const;
    QColor GetPaneColor(int aIndex) const;
    void SetPaneColor(int aIndex, const QColor& aValue);
    TPTFrameStyle GetPaneStyle(int aIndex) const;
    void SetPaneStyle(int aIndex, TPTFrameStyle aValue);
    int GetPaneMinSize(int aIndex) const;
    // Only stores the minimum; the bar stays where it is until Position is set.
    void SetPaneMinSize(int aIndex, int aValue);

    // Exchanges the panes and their Index; with aAdjust pane 1 keeps the size the
    // old pane 2 had.
    void SwapPanes(bool aAdjust);
    // Height for ptstHorizontal, width otherwise.
    int Extent() const;

    bool Dragging() const { return FDragging; }
    // The bar coordinate of the drag (mouse coordinate), -1 when none is shown.
    int DragCoordinate() const { return FDragCoordinate; }
    // Ends a drag without moving the bar, as when the mouse is taken away.
    void CancelDrag() { EndDrag(); }

    TNotifyEvent OnResize;
    TPTSplitterDragEvent OnSplitterDrag;
    TPTSplitterDragEvent OnSplitterDrop;
    TNotifyEvent OnChange;

  protected:
    virtual void Change();
    virtual void InternalResize(bool aForce);
    virtual void SplitterDrag(int aCoordinate);
    virtual void SplitterDrop(int aPosition);
    // Toggles the drag feedback at the current drag coordinate: a second call at
    // the same place takes it away.
    virtual void PaintSizingLine();

    void InternalSetPosition(int aValue, bool aFix);
    void InitPanePos();

    void resizeEvent(QResizeEvent* aEvent) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseMoveEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;
    void hideEvent(QHideEvent* aEvent) override;
    bool event(QEvent* aEvent) override;

  private:
    int Coordinate(const QPoint& aPoint) const;
    int ClampDragCoordinate(int aCoordinate) const;
    void SetDragCoordinate(int aValue);
    void EndDrag();
    bool FullDrag() const;
    void UpdateCursor();
    void RenamePanes();
    void FixProportion();

    QPointer<TPTPane> FPanes[2];
    TPTSplitterStyle FStyle = ptstVertical;
    int FSplitterWidth = 3;
    int FPosition = 65;
    TPTFullDragMode FFullDragMode = ptfdUser;
    bool FProportional = true;
    float FProportion = 0.5f;
    // Pane 1 was collapsed on purpose (a negative position set or dropped),
    // not squeezed out by a small extent; only then does it stay collapsed.
    bool FCollapsed = false;
    bool FDragging = false;
    int FDragCoordinate = -1;
    int FGrabOffset = 0;
    Qt::MouseButton FDragButton = Qt::NoButton;
    TPTSizingLine* FSizingLine = nullptr;
};
