#pragma once

#include <QString>

#include <memory>
#include <vector>

class TPTTreeModel;

// One node of the tree. A node may announce children it does not have yet
// (HasChildren), which the tree fills when the node is first expanded.
class TPTTreeNode
{
  public:
    TPTTreeNode(const TPTTreeNode&) = delete;
    TPTTreeNode& operator=(const TPTTreeNode&) = delete;

    const QString& Text() const { return FText; }
    void SetText(const QString& text);
    void* Data() const { return FData; } // not owned: released in the deletion hook
    void SetData(void* data) { FData = data; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int index);
    int OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int index);
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool value);
    bool Cut() const { return FCut; }
    void SetCut(bool value);

    TPTTreeNode* Parent() const; // none for a top-level node
    int Count() const { return int(FChildren.size()); }
    TPTTreeNode* Item(int index) const { return FChildren[size_t(index)].get(); }
    int Index() const { return FIndex; }
    int Level() const;
    TPTTreeNode* GetFirstChild() const
    {
        return FChildren.empty() ? nullptr : FChildren.front().get();
    }
    TPTTreeNode* GetNextSibling() const;
    TPTTreeNode* GetPrevSibling() const;
    bool HasAsParent(const TPTTreeNode* ancestor) const;

  private:
    friend class TPTTreeModel;
    TPTTreeNode(TPTTreeModel* model, TPTTreeNode* parent) : FModel(model), FParent(parent) {}
    void Changed();

    TPTTreeModel* FModel;
    TPTTreeNode* FParent; // the model's invisible root for top-level nodes
    std::vector<std::unique_ptr<TPTTreeNode>> FChildren;
    int FIndex = 0;
    QString FText;
    void* FData = nullptr;
    int FImageIndex = 0;
    int FSelectedIndex = 0;
    int FOverlayIndex = -1;
    bool FHasChildren = false;
    bool FCut = false;
};
