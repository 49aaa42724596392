#pragma once

#include "dialogs/filename/TPathSyntax.h"

// Paths as Linux writes them: "/" between components, no drives, "~" and
// "~/x" for the home folder. Names compare exactly (the file systems are
// case-sensitive). Lengths are the bytes of the file name (the lossless form
// of platform/FileNameCodec.h): 255 for a component, 4095 for a path.
// Only NUL is refused; "..." and "~name" are ordinary names.
class TPosixPathSyntax : public TPathSyntax
{
  public:
    static constexpr qsizetype kMaxPath = 4095;
    static constexpr qsizetype kMaxName = 255;

    QChar Separator() const override { return u'/'; }
    TPathKind Kind(const QString& path) const override;
    Qt::CaseSensitivity NameCase() const override { return Qt::CaseSensitive; }

    qsizetype Length(const QString& text) const override;
    qsizetype MaxPathLength() const override { return kMaxPath; }
    qsizetype MaxNameLength() const override { return kMaxName; }

    bool PassesCharacterCheck(const QString& text) const override;
    // A NUL would end the name early and name another file.
    bool CanHoldCharacters(const QString& path) const override;

    // "." stays, ".." goes up one level.
    int LevelsUp(const QString& segment) const override;
    // "a//b" is "a/b", as the kernel reads it.
    bool EmptySegmentEndsWalk() const override { return false; }
    qsizetype RootLength(const QString& path) const override;

    QString TrimFolder(const QString& folder) const override;
    QString RootedPrefix(const QString&) const override { return QString(); }
    // The home folder the namespace expands "~" to.
    QString HomeFolder() const override;

    qsizetype NamePartStart(const QString& path) const override;
    // A leading dot marks a hidden name, not an extension.
    qsizetype ExtensionStart(const QString& path) const override;
};
