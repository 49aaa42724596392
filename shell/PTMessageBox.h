#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// What one message box of the shell library and the dialogs shows.
struct TPTMessageBoxRequest {
    QWidget* parent = nullptr; // null: the active window
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString caption; // empty: the application's display name
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using TPTMessageBoxHandler =
    std::function<QMessageBox::StandardButton(const TPTMessageBoxRequest& request)>;

// Every message box of the library goes through here: by default a modal
// QMessageBox, whose pressed button is returned (NoButton when there is no
// widget application to show it in). User-interface thread only.
QMessageBox::StandardButton PTMessageBox(const TPTMessageBoxRequest& request);

// Replaces the QMessageBox with a handler, so tests can see and answer boxes
// without blocking; an empty handler brings the QMessageBox back. Returns the
// handler that was installed (empty for the default).
TPTMessageBoxHandler SetPTMessageBoxHandler(TPTMessageBoxHandler handler);
