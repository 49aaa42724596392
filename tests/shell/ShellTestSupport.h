#pragma once

#include "shell/shell95/TItemIDList.h"

#include <QByteArray>

#include <gtest/gtest.h>

// Checks that a test frees every block it takes from the shell allocator and
// releases every object it gets (the process's desktop object is made first,
// so its one cached instance is not counted).
class ShellAllocTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

  private:
    long m_liveAtStart = 0;
    long m_objectsAtStart = 0;
};

// A list built from raw items, each given as its data bytes (the size is
// added), for tests that need exact bytes. Free with ShellMemFree.
PItemIDList MakeRawIdList(std::initializer_list<QByteArray> itemData);

// Removes a folder and everything in it by byte names (QTemporaryDir removes by
// QString names and would leave names that are not UTF-8), giving back folder
// permissions a test took away.
void RemoveTree(const QByteArray& path);
