#pragma once

#include "shell/PTMessageBox.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A tree over a temporary folder of the real file system; message boxes are
// counted instead of shown.
class ShellTreeFixture : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    QString Path(const QString& relative = QString()) const;
    void MakeFolders(const QStringList& relatives) const;
    void MakeFile(const QString& relative) const;

    // A tree with these options over the temporary folder, filled.
    TPTShellTree* MakeTree(TPTShellTreeOptions options = kDefaultShellTreeOptions);
    TPTTreeNode* Root() const;
    static TPTTreeNode* Child(TPTTreeNode* node, const QString& caption);
    static QStringList Captions(TPTTreeNode* node);
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

    QTemporaryDir dir;
    std::unique_ptr<TPTShellTree> tree;
    int messageBoxes = 0;

  private:
    TPTMessageBoxHandler previousHandler;
};
