#pragma once

#include <QString>

class TPathSyntax;

// A path being built under the limits of a syntax: an append that would make
// a component or the whole path longer than the file system holds is refused
// and leaves the path as it was, so nothing is ever cut.
class TPathBuffer
{
  public:
    // The start is taken as it is; callers check it with FitsLengthLimits.
    TPathBuffer(const TPathSyntax& syntax, QString start);

    // Adds a component with a separator before it unless the path is empty
    // or already ends with one. False when it does not fit.
    bool AppendComponent(const QString& name);
    // Removes the last component, never going above the root; a relative
    // path without a separator becomes empty.
    void RemoveLastComponent();

    const QString& Text() const { return m_text; }

  private:
    const TPathSyntax& m_syntax;
    QString m_text;
};
