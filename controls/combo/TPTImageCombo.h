#pragma once

#include "controls/combo/TPTCustomImageCombo.h"

// The image combo as forms use it: entry indent 12 pixels, automatic entry height.
class TPTImageCombo : public TPTCustomImageCombo
{
    Q_OBJECT

  public:
    explicit TPTImageCombo(QWidget* aParent = nullptr) : TPTCustomImageCombo(aParent) {}
};
