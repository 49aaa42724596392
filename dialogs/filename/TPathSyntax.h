#pragma once

#include <QString>

// How a path written by the user is classified. A syntax produces only its
// own kinds: Windows paths are drive, network, rooted or relative; POSIX
// paths absolute, home ("~", "~/x") or relative.
enum class TPathKind { Empty, Relative, Rooted, Drive, Network, Absolute, Home };

// The rules of one way of writing paths, so that the file-name logic of the
// dialog is written once: the Windows syntax the dialog was first written for and
// the POSIX one it runs with here.
class TPathSyntax
{
  public:
    virtual ~TPathSyntax() = default;

    virtual QChar Separator() const = 0;
    virtual TPathKind Kind(const QString& path) const = 0;
    // How names compare with each other on this system's file systems.
    virtual Qt::CaseSensitivity NameCase() const = 0;

    // Length as the file system counts it (characters or bytes), and the
    // limits of a whole path and of one component.
    virtual qsizetype Length(const QString& text) const = 0;
    virtual qsizetype MaxPathLength() const = 0;
    virtual qsizetype MaxNameLength() const = 0;

    // The check of a typed text for characters that make it invalid, which
    // the dialog skips on request.
    virtual bool PassesCharacterCheck(const QString& text) const = 0;
    // False for characters no path of this system can hold, whatever the
    // dialog's options say.
    virtual bool CanHoldCharacters(const QString& path) const = 0;

    // How many components a path segment removes: -1 for an ordinary name.
    virtual int LevelsUp(const QString& segment) const = 0;
    // Whether an empty segment (a doubled or trailing separator) ends the
    // walk over a typed path; otherwise it is skipped.
    virtual bool EmptySegmentEndsWalk() const = 0;
    // How many leading characters removing components never takes away.
    virtual qsizetype RootLength(const QString& path) const = 0;

    // The current folder as a combination starts from it.
    virtual QString TrimFolder(const QString& folder) const = 0;
    // What a rooted name is put after, taken from the current folder.
    virtual QString RootedPrefix(const QString& folder) const = 0;
    virtual QString HomeFolder() const = 0;

    // Index where the name part of a path begins.
    virtual qsizetype NamePartStart(const QString& path) const = 0;
    // Index of the dot that starts the extension of the name part, or -1.
    virtual qsizetype ExtensionStart(const QString& path) const;

    QString NamePart(const QString& path) const;
    // Everything before the name part, its trailing separator included.
    QString FolderPart(const QString& path) const;
    // The extension with its dot; empty when there is none.
    QString ExtensionOf(const QString& path) const;
};
