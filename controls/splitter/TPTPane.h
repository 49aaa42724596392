#pragma once

#include "controls/frame/TPTGroup.h"

// One of the two panes of a TPTSplitter: a group with a lowered frame by default,
// a minimum size along the splitter's extent and its slot index (0 or 1).
class TPTPane : public TPTGroup
{
    Q_OBJECT

  public:
    explicit TPTPane(QWidget* aParent = nullptr);

    // May be negative: a pane 1 minimum of minus the bar width lets pane 1 and the
    // bar collapse to nothing.
    int MinSize() const { return FMinSize; }
    void SetMinSize(int aValue) { FMinSize = aValue; }
    int Index() const { return FIndex; }
    void SetIndex(int aValue) { FIndex = aValue; }

  private:
    int FMinSize = 20;
    int FIndex = 0;
};
