#pragma once

#include "shell/records/TPTShTreeData.h"
#include "shellwidgets/tree/IPTShellTreeLinkedCombo.h"
#include "shellwidgets/tree/IPTShellTreeLinkedList.h"

#include <QObject>
#include <QString>

#include <functional>

// Stand-ins for the file list and folder combo a tree links to: they count
// what the tree tells them.
class TTestLinkedList : public QObject, public IPTShellTreeLinkedList
{
  public:
    QObject* LinkObject() override { return this; }
    void SetLinkedTree(TPTCustomShellTree* tree) override { linkedTree = tree; }
    void SetFolder(PCItemIDList) override { ++folderSets; }
    void TreeChanged(TPTShTreeData* data) override
    {
        ++treeChanges;
        lastPath = data->GetPathName();
        if (onTreeChanged)
            onTreeChanged();
    }
    void Synchronize(bool) override {}
    bool HideFoldersWhenLinkedToTree() const override { return hideFolders; }

    TPTCustomShellTree* linkedTree = nullptr;
    int folderSets = 0;
    int treeChanges = 0;
    QString lastPath;
    bool hideFolders = false;
    std::function<void()> onTreeChanged;
};

class TTestLinkedCombo : public QObject, public IPTShellTreeLinkedCombo
{
  public:
    QObject* LinkObject() override { return this; }
    void SetSelectedFolder(PCItemIDList) override { ++folderSets; }
    void TreeChanged(TPTShTreeData* data) override
    {
        ++treeChanges;
        lastPath = data->GetPathName();
    }
    void Synchronize(bool) override {}

    int folderSets = 0;
    int treeChanges = 0;
    QString lastPath;
};
