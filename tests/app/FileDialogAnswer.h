#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

// What one of our file dialogs showed when it opened.
struct TFileDialogSeen {
    QString title;
    QString name;      // the file-name box
    QString folder;    // the folder shown in the list
    QStringList types; // the file-type box
    QSize size;
    bool treeShown = false; // the Show Tree button is down
};

// Answers the next file dialog (the Open/Save form) as a user would, through
// its controls found by object name: records what it shows, runs `before` on
// it, then types `answer` into the name box and presses the default button,
// or presses Cancel when answer is empty. A dialog that stays open after the
// default button (a refused name, a No to a question) is cancelled then, so
// the caller goes on.
void AnswerFileDialog(TFileDialogSeen* seen, const QString& answer,
                      std::function<void(QDialog& dialog)> before = {});
