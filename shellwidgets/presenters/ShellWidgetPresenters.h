#pragma once

// The shell layer asks for message boxes, the drop menu and the Properties
// dialog through replaceable functions and holds no widgets; this installs
// the real ones. Idempotent; the shell controls call it when they are
// created, and a program may call it early.
// User-interface thread only.
void InstallShellWidgetPresenters();
