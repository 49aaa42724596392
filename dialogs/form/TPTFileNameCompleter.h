#pragma once

#include <QCompleter>

#include <functional>

class QFileSystemModel;

// Offers the names of folders and files as the user types into the
// file-name box, relative to the folder the list shows (or from "/" or
// "~/"), in a popup under the box. The names come from a QFileSystemModel,
// which reads folders on its own thread, so a slow folder never holds the
// dialog. User-interface thread only.
class TPTFileNameCompleter : public QCompleter
{
    Q_OBJECT

  public:
    // shownFolder answers the list's folder whenever a completion starts.
    TPTFileNameCompleter(std::function<QString()> shownFolder, QObject* parent = nullptr);

    QStringList splitPath(const QString& path) const override;
    QString pathFromIndex(const QModelIndex& index) const override;

  private:
    QFileSystemModel* FModel;
    std::function<QString()> FShownFolder;
};
