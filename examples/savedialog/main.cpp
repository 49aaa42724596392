// The Save dialog as the main window runs it. Usage:
//   save-dialog-demo [FOLDER] [--tree] [--details] [--size=WxH] [--smoke]
// --tree opens with the folder tree, --details in the details view, --size
// at an outer size as if the user had enlarged it before; --smoke
// opens the dialog, checks that it shows the folder and cancels it.
#include "dialogs/components/TPTSaveDlg.h"
#include "dialogs/form/TPTFrmOpenDlg.h"

#include "shell/PTEventGuard.h"
#include "shellwidgets/list/TPTShellList.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool smoke = args.contains(QStringLiteral("--smoke"));
    QString folder = QDir::currentPath();
    for (const QString& arg : args)
        if (!arg.startsWith(QStringLiteral("--")))
            folder = arg;

    TPTSaveDlg dialog;
    dialog.InitialDir = folder;
    dialog.DefaultExt = QStringLiteral("csv");
    dialog.SetFilter(QStringLiteral("CSV files (*.csv)|*.csv|All files (*)|*"));
    dialog.SetFilename(QStringLiteral("nsa_3m_horizontal.csv"));
    TPTOpenOptions options = dialog.Options();
    if (args.contains(QStringLiteral("--tree")))
        options.Include(ptofShowTree);
    dialog.SetOptions(options);
    for (const QString& arg : args) {
        if (arg.startsWith(QStringLiteral("--size="))) {
            const QStringList size = arg.mid(7).split(QLatin1Char('x'));
            dialog.FormWidth = size.value(0).toInt();
            dialog.FormHeight = size.value(1).toInt();
        }
    }
    bool shown = false;
    dialog.OnFormShow = [&](QObject* sender) {
        auto* form = static_cast<TPTFrmOpenDlg*>(sender);
        if (args.contains(QStringLiteral("--details")))
            form->DetailsBtn->click();
        if (smoke) {
            QTimer::singleShot(200, form, [form, &shown] {
                shown = form->isVisible() && !form->ShownFolderPath().isEmpty();
                form->CancelBtn->click();
            });
        }
    };
    bool confirmed = false;
    PTEventGuard([&] { confirmed = dialog.Execute(); });
    if (smoke)
        return shown && !confirmed ? 0 : 1;
    if (confirmed)
        std::printf("%s\n", qPrintable(dialog.GetFilename()));
    return confirmed ? 0 : 1;
}
