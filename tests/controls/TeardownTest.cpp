#include "controls/UPTImageCombo.h"
#include "controls/UPTTreeList.h"

#include <QObject>

#include <gtest/gtest.h>

namespace
{

// A per-item record as the shell controls keep one: counts how many are alive.
struct TRecord {
    static inline int Live = 0;
    TRecord() { ++Live; }
    ~TRecord() { --Live; }
    TRecord(const TRecord&) = delete;
    TRecord& operator=(const TRecord&) = delete;
};

// Each derived control frees its records in its own delete hook and follows
// the teardown rule: DestroyItems() first thing in its destructor.
class TRecordTree : public TPTCustomTreeView
{
  public:
    ~TRecordTree() override { DestroyItems(); }
    TPTTreeNode* Add(TPTTreeNode* parent)
    {
        TPTTreeNode* node = AddChild(parent, QStringLiteral("n"));
        node->SetData(new TRecord);
        return node;
    }

  protected:
    void Delete(TPTTreeNode* node) override
    {
        delete static_cast<TRecord*>(node->Data());
        node->SetData(nullptr);
        TPTCustomTreeView::Delete(node);
    }
};

class TRecordList : public TPTCustomListView
{
  public:
    ~TRecordList() override { DestroyItems(); }
    void Add()
    {
        const int row = AddItem();
        Item(row).Data = new TRecord;
    }

  protected:
    void Delete(TPTListItem& item) override
    {
        delete static_cast<TRecord*>(item.Data);
        item.Data = nullptr;
        TPTCustomListView::Delete(item);
    }
};

class TRecordCombo : public TPTCustomImageCombo
{
  public:
    ~TRecordCombo() override { DestroyItems(); }
    void Add(int indent) { AddItem(QStringLiteral("f"), 0, indent)->SetData(new TRecord); }

  protected:
    // Every object of this combo is one of its items (added through Add).
    void DeleteItem(void* item) override
    {
        delete static_cast<TRecord*>(static_cast<TPTImageComboItem*>(item)->Data());
        TPTCustomImageCombo::DeleteItem(item);
    }
};

// Each test counts from zero, so a leak in one does not fail the next.
class Teardown : public ::testing::Test
{
  protected:
    void SetUp() override { TRecord::Live = 0; }
};

} // namespace

TEST_F(Teardown, ADerivedTreeFreesEveryRecordOnDeleteClearAndDestruction)
{
    {
        TRecordTree tree;
        TPTTreeNode* a = tree.Add(nullptr);
        TPTTreeNode* a1 = tree.Add(a);
        tree.Add(a1);
        tree.Add(a);
        TPTTreeNode* b = tree.Add(nullptr);
        tree.Add(b);
        EXPECT_EQ(TRecord::Live, 6);

        tree.DeleteChildren(b);
        EXPECT_EQ(TRecord::Live, 5);
        tree.DeleteNode(a1);
        EXPECT_EQ(TRecord::Live, 3);
        tree.ClearNodes();
        EXPECT_EQ(TRecord::Live, 0);

        tree.Add(tree.Add(tree.Add(nullptr)));
    }
    EXPECT_EQ(TRecord::Live, 0) << "destruction reaches the derived hook";
}

TEST_F(Teardown, ADerivedListFreesEveryRecordOnDeleteClearAndDestruction)
{
    {
        TRecordList list;
        for (int i = 0; i < 5; ++i)
            list.Add();
        list.DeleteItem(1);
        EXPECT_EQ(TRecord::Live, 4);
        list.ClearItems();
        EXPECT_EQ(TRecord::Live, 0);

        for (int i = 0; i < 3; ++i)
            list.Add();
    }
    EXPECT_EQ(TRecord::Live, 0) << "destruction reaches the derived hook";
}

TEST_F(Teardown, TheBaseListReportsItsRemainingItemsWhenDestroyed)
{
    int reported = 0;
    {
        TPTListView list;
        list.OnDeletion = [&](TPTCustomListView*, TPTListItem*) { ++reported; };
        list.AddItem();
        list.AddItem();
    }
    EXPECT_EQ(reported, 2);
}

TEST_F(Teardown, ADerivedImageComboFreesEveryRecordOnRemovalClearAndDestruction)
{
    int indexChanges = 0;
    QObject owner;
    {
        TRecordCombo combo;
        for (int i = 0; i < 4; ++i)
            combo.Add(i);
        combo.removeItem(0);
        EXPECT_EQ(TRecord::Live, 3);
        combo.clear();
        EXPECT_EQ(TRecord::Live, 0);

        combo.Add(0);
        combo.Add(1);
        combo.setCurrentIndex(1);
        QObject::connect(&combo, &QComboBox::currentIndexChanged, &owner, [&] { ++indexChanges; });
    }
    EXPECT_EQ(TRecord::Live, 0) << "destruction reaches the derived hook";
    EXPECT_EQ(indexChanges, 0) << "no index change reaches the owner during teardown";
}
