#pragma once

#include "shell/PTMessageBox.h"

// A modal QMessageBox for a shell-library request; the pressed button is
// returned (ptmbNone when there is no widget application to show it in).
TPTMsgButton ShowWidgetMessageBox(const TPTMessageBoxRequest& request);
