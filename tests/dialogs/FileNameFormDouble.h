#pragma once

#include "dialogs/filename/IPTFileNameForm.h"

#include <QList>
#include <QStringList>

// The form side of the file-name confirmation without a window: the list
// shows the real entries of the folder it was opened on (or items a test sets
// for paths of another syntax), message boxes are recorded and answered from
// a queue.
class FileNameFormDouble : public IPTFileNameForm
{
  public:
    struct Item {
        QString caption;
        QString path;
    };

    // Shows a real folder: its entries by name bytes, captions as the list
    // shows them (U+FFFD for bytes that are not UTF-8), lossless paths.
    void ShowFolder(const QString& path);
    // Shows a folder of another syntax with the given items.
    void ShowItems(const QString& folder, QList<Item> items);
    int IndexOfCaption(const QString& caption) const;

    QString ShownFolderPath() const override { return shownFolder; }
    void OpenFolder(PCItemIDList absoluteIdList) override;
    void ApplyUserFilter(const QString& pattern) override { userFilter = pattern; }

    int ListItemCount() const override { return int(items.size()); }
    QString ListItemCaption(int index) const override { return items.at(index).caption; }
    QString ListItemPath(int index) const override { return items.at(index).path; }
    int SelectedListItem() const override { return selected; }
    void SelectAndFocusListItem(int index) override { selected = focused = index; }

    QString FileNameText() const override { return fileNameText; }
    void SetFileNameText(const QString& text) override { fileNameText = text; }
    void SelectAllFileNameText() override { ++selectAllCount; }

    TPTOpenOptions Options() const override { return options; }
    void SetOptions(TPTOpenOptions o) override { options = o; }
    QString DefaultExt() const override { return defaultExt; }
    QString SelectedFileTypePattern() const override { return fileTypePattern; }

    TPTMsgButton ShowMessage(const TPTMessageBoxRequest& request) override;

    QString shownFolder;
    QList<Item> items;
    int selected = -1;
    int focused = -1;
    QStringList openedFolders;
    QString userFilter;
    QString fileNameText;
    int selectAllCount = 0;
    TPTOpenOptions options;
    QString defaultExt;
    QString fileTypePattern;

    QList<TPTMessageBoxRequest> messages;
    // Answers in order; with none left a box answers Ok, or No when it has no Ok.
    QList<TPTMsgButton> answers;
};
