#pragma once

#include <QString>

class QWidget;

// The main window's Save dialog component. The window uses only these three
// operations; what shows the dialog behind them can change without the
// window noticing. For now that is a non-native QFileDialog, so it looks and
// behaves the same on every desktop: it opens in the process's current
// directory with the given name, and it neither asks before replacing an
// existing file nor before creating a new one.
class TSaveDlg
{
  public:
    explicit TSaveDlg(QWidget* owner) : owner_(owner) {}

    // A bare name, or a path, to start with.
    void SetFilename(const QString& name) { filename_ = name; }
    // Shows the dialog modally; true when the user confirmed a file.
    bool Execute();
    // The full path of the confirmed file.
    QString GetFilename() const { return filename_; }

  private:
    QWidget* owner_;
    QString filename_;
};
