#pragma once

#include "shell/dragdrop/TPTOwnerDropTarget.h"

// The drop target registered for the folder tree's window.
class TDropTarget_shtv final : public TPTOwnerDropTarget
{
  public:
    explicit TDropTarget_shtv(IPTDropTargetOwner* owner) : TPTOwnerDropTarget(owner) {}
};
