#pragma once

// The two-pane splitter.
#include "controls/splitter/TPTPane.h"
#include "controls/splitter/TPTSplitter.h"
