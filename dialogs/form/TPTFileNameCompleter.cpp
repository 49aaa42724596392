#include "dialogs/form/TPTFileNameCompleter.h"

#include "dialogs/form/FileNameCompletion.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileSystemModel>
#include <QWidget>

namespace
{

// The popup shows names only; looking up an icon per entry in the theme would
// slow every folder the user types into.
class TNoIcons : public QAbstractFileIconProvider
{
  public:
    QIcon icon(IconType) const override { return QIcon(); }
    QIcon icon(const QFileInfo&) const override { return QIcon(); }
};

} // namespace

TPTFileNameCompleter::TPTFileNameCompleter(std::function<QString()> shownFolder, QObject* parent)
    : QCompleter(parent), FModel(new QFileSystemModel(this)), FShownFolder(std::move(shownFolder))
{
    // No watches: they would come from the user's few inotify instances,
    // and a popup that lives while one types needs no live updates.
    FModel->setOption(QFileSystemModel::DontWatchForChanges);
    static TNoIcons noIcons;
    FModel->setIconProvider(&noIcons);
    FModel->setRootPath(QString());
    FModel->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    setModel(FModel);
    // A folder read for the first time arrives after the prefix was
    // matched against nothing: match again, so the popup shows its names.
    connect(FModel, &QFileSystemModel::directoryLoaded, this, [this] {
        QWidget* box = widget();
        if (!box || !box->hasFocus() || completionPrefix().isEmpty())
            return;
        setCompletionPrefix(completionPrefix());
        if (completionCount() > 0)
            complete();
    });
    setCaseSensitivity(Qt::CaseSensitive);
    setCompletionMode(QCompleter::PopupCompletion);
}

QStringList TPTFileNameCompleter::splitPath(const QString& path) const
{
    const QString absolute =
        FileNameCompletion::AbsoluteTyped(path, FShownFolder(), QDir::homePath());
    // The model reads a folder only when asked; ask for the one being typed
    // in, whose names then arrive through directoryLoaded.
    const QString folder = absolute.left(absolute.lastIndexOf(QLatin1Char('/')) + 1);
    const QModelIndex folderIndex = FModel->index(folder);
    if (folderIndex.isValid() && FModel->canFetchMore(folderIndex))
        FModel->fetchMore(folderIndex);
    return QCompleter::splitPath(absolute);
}

QString TPTFileNameCompleter::pathFromIndex(const QModelIndex& index) const
{
    return FileNameCompletion::TextForCandidate(completionPrefix(), FModel->filePath(index),
                                                FModel->isDir(index), FShownFolder(),
                                                QDir::homePath());
}
