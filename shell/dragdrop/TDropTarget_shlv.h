#pragma once

#include "shell/dragdrop/TPTOwnerDropTarget.h"

// The drop target registered for the file list's window.
class TDropTarget_shlv final : public TPTOwnerDropTarget
{
  public:
    explicit TDropTarget_shlv(IPTDropTargetOwner* owner) : TPTOwnerDropTarget(owner) {}
};
