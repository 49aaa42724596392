#pragma once

#include "controls/combo/TPTCustomCombobox.h"

// The combo box as forms use it; like the classic drop-down it starts with an
// edit field (setEditable(false) gives the drop-down list).
class TPTCombobox : public TPTCustomCombobox
{
    Q_OBJECT

  public:
    explicit TPTCombobox(QWidget* aParent = nullptr) : TPTCustomCombobox(aParent)
    {
        setEditable(true);
    }
};
