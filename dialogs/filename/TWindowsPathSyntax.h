#pragma once

#include "dialogs/filename/TPathSyntax.h"

// Paths as the dialog was first written for them: drive letters, network names,
// backslashes, names compared without regard to case, 260-character buffers.
// The run-time dialog does not use it; it keeps those rules testable.
class TWindowsPathSyntax : public TPathSyntax
{
  public:
    static constexpr qsizetype kMaxPath = 260;
    static constexpr qsizetype kMaxName = 255;

    QChar Separator() const override { return u'\\'; }
    TPathKind Kind(const QString& path) const override;
    Qt::CaseSensitivity NameCase() const override { return Qt::CaseInsensitive; }

    qsizetype Length(const QString& text) const override { return text.size(); }
    qsizetype MaxPathLength() const override { return kMaxPath; }
    qsizetype MaxNameLength() const override { return kMaxName; }

    // '/', '<', '>' and '|' are refused, and so is a doubled backslash except
    // at the very start, where it begins a network name.
    bool PassesCharacterCheck(const QString& text) const override;
    bool CanHoldCharacters(const QString&) const override { return true; }

    // A segment of k dots goes up k - 1 levels.
    int LevelsUp(const QString& segment) const override;
    bool EmptySegmentEndsWalk() const override { return true; }
    // "C:\" for a drive path, up to the share name for a network path.
    qsizetype RootLength(const QString& path) const override;

    QString TrimFolder(const QString& folder) const override;
    // The drive of a drive path, the server and share of a network path.
    QString RootedPrefix(const QString& folder) const override;
    QString HomeFolder() const override { return QString(); }

    // After the last backslash or colon.
    qsizetype NamePartStart(const QString& path) const override;
};
