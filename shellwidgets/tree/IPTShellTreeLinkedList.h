#pragma once

#include "shell/shell95/TItemIDList.h"

class QObject;
class TPTCustomShellTree;
class TPTShTreeData;

// What the folder tree asks of the file list linked to it. The shell list
// implements it; the tree holds it only while the list's object lives (it
// watches LinkObject()'s destruction). User-interface thread only.
class IPTShellTreeLinkedList
{
  public:
    // The object whose destruction unlinks the list.
    virtual QObject* LinkObject() = 0;
    // The tree the list reports to, or null when it is unlinked.
    virtual void SetLinkedTree(TPTCustomShellTree* tree) = 0;
    // Show this folder (absolute list; null: the desktop).
    virtual void SetFolder(PCItemIDList absolute) = 0;
    // The user selected this node's folder in the tree.
    virtual void TreeChanged(TPTShTreeData* data) = 0;
    // Carry out delayed work now.
    virtual void Synchronize(bool alsoLinked) = 0;
    // The list shows no folders while it is linked to a tree, so the tree
    // expands the folder it selects.
    virtual bool HideFoldersWhenLinkedToTree() const = 0;

  protected:
    ~IPTShellTreeLinkedList() = default;
};
