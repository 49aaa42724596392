#include "controls/treelist/TPTTreeNode.h"

#include "controls/treelist/TPTTreeModel.h"

void TPTTreeNode::Changed()
{
    if (FModel)
        FModel->NodeChanged(this);
}

void TPTTreeNode::SetText(const QString& text)
{
    FText = text;
    Changed();
}

void TPTTreeNode::SetImageIndex(int index)
{
    FImageIndex = index;
    Changed();
}

void TPTTreeNode::SetSelectedIndex(int index)
{
    FSelectedIndex = index;
    Changed();
}

void TPTTreeNode::SetOverlayIndex(int index)
{
    FOverlayIndex = index;
    Changed();
}

void TPTTreeNode::SetHasChildren(bool value)
{
    if (value == FHasChildren)
        return;
    FHasChildren = value;
    if (FModel)
        FModel->NodeChanged(this);
}

void TPTTreeNode::SetCut(bool value)
{
    FCut = value;
    Changed();
}

TPTTreeNode* TPTTreeNode::Parent() const
{
    return FParent && FParent->FParent ? FParent : nullptr;
}

int TPTTreeNode::Level() const
{
    int level = 0;
    for (const TPTTreeNode* p = Parent(); p; p = p->Parent())
        ++level;
    return level;
}

TPTTreeNode* TPTTreeNode::GetNextSibling() const
{
    if (!FParent || FIndex + 1 >= FParent->Count())
        return nullptr;
    return FParent->Item(FIndex + 1);
}

TPTTreeNode* TPTTreeNode::GetPrevSibling() const
{
    if (!FParent || FIndex == 0)
        return nullptr;
    return FParent->Item(FIndex - 1);
}

bool TPTTreeNode::HasAsParent(const TPTTreeNode* ancestor) const
{
    for (const TPTTreeNode* p = Parent(); p; p = p->Parent())
        if (p == ancestor)
            return true;
    return false;
}
