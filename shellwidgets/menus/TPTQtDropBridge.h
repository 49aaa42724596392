#pragma once

#include "shell/shell95/IDataObject.h"
#include "shell/shell95/IDropTarget.h"
#include "shell/shell95/TComPtr.h"

class QEvent;
class QWidget;

// Turns Qt's drag events on a widget into the four calls of a drop target
// (the control's own, TDropTarget_shtv / TDropTarget_shlv): the data as a
// TMimeDataObject, the point in screen coordinates, the buttons and
// modifiers as a key state, the effects the source allows; the target's
// answer becomes the event's drop action. Data that cannot be read (another
// program's malformed or foreign data) is refused at the enter, and an error
// inside a target refuses the event: a bad drop has no effect.
class TPTQtDropBridge
{
  public:
    explicit TPTQtDropBridge(QWidget* widget) : m_widget(widget) {}

    // The target the events go to; none: every drag is refused.
    void SetTarget(IDropTarget* target);
    IDropTarget* Target() const { return m_target.get(); }

    // For enter, move, leave and drop events of the widget: true when the
    // event was answered here.
    bool Handle(QEvent* event);

  private:
    QWidget* m_widget;
    TComPtr<IDropTarget> m_target;
    TComPtr<IDataObject> m_data; // from the enter until the leave or the drop
};
