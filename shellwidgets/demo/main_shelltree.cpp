// veldmark-shelltree [BASE|-] [SELECTED]: the folder tree on its own, over
// the home folder, the folder BASE or ("-") the whole desktop, with the
// selected path below it. A program to look at the tree with; not installed.

#include "shell/PTEventGuard.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Veldmark folder tree"));
    const QStringList args = QApplication::arguments();
    const QString base = args.size() > 1 ? args.at(1) : QDir::homePath();
    const QString selected = args.size() > 2 ? args.at(2) : QString();

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tree = new TPTShellTree(&window);
    auto* path = new QLabel(&window);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(tree);
    layout->addWidget(path);
    // The highlighted context-menu command's help text, in place of the path.
    tree->OnPopupHint = [path, tree](TPTCustomShellTree*, const QString& hint) {
        path->setText(hint.isEmpty() ? tree->GetSelectedPathName() : hint);
    };
    tree->OnChange = [path](TPTCustomTreeView* sender, TPTTreeNode*) {
        path->setText(static_cast<TPTShellTree*>(sender)->GetSelectedPathName());
    };
    const bool ok = PTEventGuard([&] {
        if (base != QLatin1String("-"))
            tree->BaseFolder().SetPathName(base);
        if (!selected.isEmpty())
            tree->SelectedFolder().SetPathName(selected);
    });
    if (!ok)
        return 1;
    window.resize(360, 480);
    window.show();
    tree->setFocus();
    return QApplication::exec();
}
