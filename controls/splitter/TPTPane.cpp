#include "controls/splitter/TPTPane.h"

TPTPane::TPTPane(QWidget* aParent) : TPTGroup(aParent)
{
    SetFrameStyle(ptfsLowered);
    // The splitter shows a split cursor; the panes and their children must not
    // inherit it.
    setCursor(Qt::ArrowCursor);
}
