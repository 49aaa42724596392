// The folder combo linked to a plain folder list. Usage:
//   shell-combo-demo [FOLDER] [--smoke]
// --smoke fills the combo, opens and closes its drop-down and exits.
#include "TDemoFolderList.h"

#include "shell/PTEventGuard.h"
#include "shellwidgets/combo/TPTShellCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool smoke = args.contains(QStringLiteral("--smoke"));
    QString folder = QDir::currentPath();
    for (const QString& arg : args)
        if (!arg.startsWith(QStringLiteral("--")))
            folder = arg;

    QWidget window;
    window.setWindowTitle(QStringLiteral("Folder combo"));
    auto* combo = new TPTShellCombo(&window);
    combo->SetDropDownCount(16);
    auto* list = new TDemoFolderList(&window);
    auto* label = new QLabel(QStringLiteral("Look &in:"), &window);
    label->setBuddy(combo);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(combo, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->addLayout(row);
    layout->addWidget(list, 1);
    window.resize(460, 380);

    const bool filled = PTEventGuard([&] {
        combo->SetShellList(list);
        combo->SelectedFolder().SetPathName(folder);
        combo->Loaded();
    });
    window.show();
    combo->setFocus();
    if (smoke) {
        combo->showPopup();
        QApplication::processEvents();
        const bool ok = filled && combo->count() > 1 && combo->view()->isVisible();
        combo->hidePopup();
        return ok ? 0 : 1;
    }
    return app.exec();
}
