#pragma once

// The notifying combo box and the image combo built on it.
#include "controls/combo/TPTCombobox.h"
#include "controls/combo/TPTCustomCombobox.h"
#include "controls/combo/TPTCustomImageCombo.h"
#include "controls/combo/TPTImageCombo.h"
#include "controls/combo/TPTImageComboItem.h"
#include "controls/images/TPTImageList.h"
