#pragma once

// The folder tree as its node records see it. A record uses nothing of its
// tree (parent record, allocator and lists are handed to it); it only keeps
// the tree so that the tree can tell its own nodes from foreign ones. The tree
// control derives from this.
class IPTShellTreeOwner
{
  protected:
    ~IPTShellTreeOwner() = default;
};
