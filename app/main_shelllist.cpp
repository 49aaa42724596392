// veldmark-shelllist: the shell file list on its own, for trying it out and
// for screenshots. Shows the folder given on the command line (else the
// current one) in one of the four list styles, switched from the tool bar.
//
//   veldmark-shelllist [--view large|small|list|details] [--mask "*.csv;*.txt"] [FOLDER]

#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shellwidgets/list/TPTShellList.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veldmark-shelllist"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows a folder in the shell file list."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("view"),
                      QStringLiteral("View style: large, small, list or details."),
                      QStringLiteral("view"), QStringLiteral("details")});
    parser.addOption({QStringLiteral("mask"), QStringLiteral("File masks, separated by ';'."),
                      QStringLiteral("masks")});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The folder to show."));
    parser.process(app);

    const struct {
        const char* name;
        const char* caption;
        TViewStyle style;
    } styles[] = {{"large", "Large Icons", vsIcon},
                  {"small", "Small Icons", vsSmallIcon},
                  {"list", "List", vsList},
                  {"details", "Details", vsReport}};
    TViewStyle startStyle = vsReport;
    bool known = false;
    for (const auto& s : styles)
        if (parser.value(QStringLiteral("view")) == QLatin1String(s.name)) {
            startStyle = s.style;
            known = true;
        }
    if (!known) {
        std::fprintf(stderr, "veldmark-shelllist: unknown view \"%s\"\n",
                     qPrintable(parser.value(QStringLiteral("view"))));
        return 2;
    }
    // Command-line arguments are bytes: keep a name that is not UTF-8 as it is.
    QString folder = QDir::currentPath();
    if (!parser.positionalArguments().isEmpty()) {
        const QString given = parser.positionalArguments().first();
        QByteArray raw = QFile::encodeName(given);
        for (int i = 1; i < argc; ++i)
            if (QString::fromLocal8Bit(argv[i]) == given)
                raw = argv[i];
        folder = FileNameToString(raw);
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Shell list - %1").arg(folder));
    auto* list = new TPTShellList(&window);
    window.setCentralWidget(list);
    list->SetViewStyle(startStyle);

    QToolBar* bar = window.addToolBar(QStringLiteral("View"));
    auto* group = new QActionGroup(&window);
    for (const auto& s : styles) {
        QAction* action = bar->addAction(QString::fromLatin1(s.caption));
        action->setCheckable(true);
        action->setChecked(s.style == startStyle);
        group->addAction(action);
        const TViewStyle style = s.style;
        QObject::connect(action, &QAction::triggered, list,
                         [list, style] { PTEventGuard([&] { list->SetViewStyle(style); }); });
    }
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" Mask: ")));
    auto* mask = new QLineEdit(parser.value(QStringLiteral("mask")));
    mask->setMaximumWidth(160);
    bar->addWidget(mask);
    QObject::connect(mask, &QLineEdit::editingFinished, list,
                     [list, mask] { PTEventGuard([&] { list->SetFileFilter(mask->text()); }); });
    bar->addSeparator();
    QObject::connect(bar->addAction(QStringLiteral("Up")), &QAction::triggered, list,
                     [list] { PTEventGuard([&] { list->GoUp(1); }); });
    QObject::connect(bar->addAction(QStringLiteral("New Folder")), &QAction::triggered, list,
                     [list] { PTEventGuard([&] { list->CreateNewFolder(true); }); });
    auto* count = new QLabel;
    window.statusBar()->addWidget(count);
    list->OnFillComplete = [count](TPTCustomShellList* sender) {
        count->setText(QStringLiteral("%1 objects").arg(sender->ItemCount()));
    };
    list->OnFolderChanged = [&window](TPTCustomShellList* sender) {
        window.setWindowTitle(
            QStringLiteral("Shell list - %1").arg(sender->Folder().GetPathName()));
    };

    list->SetFileFilter(mask->text());
    list->Folder().SetPathName(folder);
    window.resize(760, 460);
    window.show();
    return app.exec();
}
