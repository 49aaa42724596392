#pragma once

#include "shellwidgets/combo/TPTCustomShellCombo.h"

// The folder combo as forms use it: 8 entries in the drop-down, entry indent
// 12 pixels, both options.
class TPTShellCombo : public TPTCustomShellCombo
{
    Q_OBJECT

  public:
    explicit TPTShellCombo(QWidget* aParent = nullptr) : TPTCustomShellCombo(aParent)
    {
        SetDropDownCount(8);
    }
};
