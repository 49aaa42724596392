#pragma once

#include <QIcon>
#include <QString>

class TPTTreeNode;

// The control behind the tree's model: icons on demand, the end of an
// in-place edit, and the hook every node passes before it is freed.
class TPTTreeNodeProvider
{
  public:
    virtual ~TPTTreeNodeProvider() = default;
    virtual QIcon NodeIcon(TPTTreeNode* node) = 0;
    virtual void NodeEdited(TPTTreeNode* node, const QString& text) = 0;
    virtual void NodeDeleting(TPTTreeNode* node) = 0;
};
