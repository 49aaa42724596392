#pragma once

#include <QByteArray>

#include <string_view>
#include <vector>

// The names a folder's ".hidden" file lists, one per line.
class THiddenNames
{
  public:
    THiddenNames() = default;
    static THiddenNames ReadFromFolder(const QByteArray& folderPath);

    bool Contains(std::string_view name) const;
    bool IsEmpty() const { return m_names.empty(); }

  private:
    std::vector<QByteArray> m_names; // sorted
};
