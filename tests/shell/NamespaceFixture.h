#pragma once

#include "ShellTestSupport.h"

#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

// A fresh home (with Desktop and Documents), config and data home, and a work
// folder in a temporary directory; HOME and the XDG variables point there for
// the test. Paths are bytes so tests can use names that are not UTF-8.
class NamespaceFixture : public ShellAllocTest
{
  protected:
    void SetUp() override;
    void TearDown() override;

    QByteArray work() const { return m_root + "/work"; }
    QByteArray home() const { return m_root + "/home"; }
    QByteArray dataHome() const { return m_root + "/data"; }
    QByteArray configHome() const { return m_root + "/config"; }

    void makeDir(const QByteArray& path);
    void makeFile(const QByteArray& path, const QByteArray& content = QByteArray());
    void makeLink(const QByteArray& target, const QByteArray& path);

    // The absolute list of a path, failing the test when it does not parse.
    PItemIDList parse(const QByteArray& path);
    TComPtr<IShellFolder> desktop();
    TComPtr<IShellFolder> bind(PCItemIDList absolute);
    // In-folder names (for parsing) of what a folder lists with the flags.
    QList<QByteArray> listNames(IShellFolder* folder, std::uint32_t flags);

  private:

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_saved[3];
};
