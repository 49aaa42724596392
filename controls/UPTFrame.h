#pragma once

// Frame and edge drawing with the group and frame controls built on it.
#include "controls/frame/PTFrameDrawing.h"
#include "controls/frame/PTSystemColors.h"
#include "controls/frame/TPTCustomFrame.h"
#include "controls/frame/TPTCustomGroup.h"
#include "controls/frame/TPTFrame.h"
#include "controls/frame/TPTGroup.h"
