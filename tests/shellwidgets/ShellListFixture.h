#pragma once

#include "shellwidgets/list/TPTShellList.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A shown shell list on a fresh home (HOME and the XDG variables point into a
// temporary folder) with a work folder to fill. Paths are bytes, so names that
// are not UTF-8 can be made. Message boxes are recorded, not shown.
class ShellListFixture : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    QByteArray work() const { return m_root + "/work"; }
    QByteArray root() const { return m_root; }
    void makeDir(const QByteArray& path);
    void makeFile(const QByteArray& path, const QByteArray& content = QByteArray());

    // Shows `path` in the list and waits until its listing has ended.
    void show(const QByteArray& path);
    void waitForListing();
    // The captions in row order, and the text of one cell.
    QStringList captions();
    QString cell(int row, int column);
    int rowOf(const QString& caption);

    std::unique_ptr<TPTShellList> list;
    QStringList messages;

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_saved[3];
    int m_savedWait = 0;
};
