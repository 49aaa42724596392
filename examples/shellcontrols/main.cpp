// The three shell controls linked as the file dialog links them: the folder
// combo above, the folder tree and the file list side by side in a splitter.
// Choosing a folder in any of them moves the other two.
//
//   shell-controls-demo [--view large|small|list|details] [--mask "*.csv;*.txt"]
//                       [--drop-down] [--smoke] [FOLDER]
//
// --drop-down opens the combo's drop-down once the window is up (for
// screenshots); --smoke fills everything, checks that the three show the same
// folder and that the drop-down opens, and exits.

#include "controls/splitter/TPTSplitter.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shellwidgets/combo/TPTShellCombo.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstdio>

namespace
{

struct TStyleChoice {
    const char* name;
    const char* caption;
    TViewStyle style;
};

constexpr TStyleChoice kStyles[] = {{"large", "Large Icons", vsIcon},
                                    {"small", "Small Icons", vsSmallIcon},
                                    {"list", "List", vsList},
                                    {"details", "Details", vsReport}};

// Puts a control into a splitter pane, filling it inside the pane's frame.
void FillPane(TPTPane* aPane, QWidget* aControl)
{
    auto* layout = new QVBoxLayout(aPane);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(aControl);
}

// Command-line arguments are bytes: a folder name that is not UTF-8 is kept
// as it was given.
QString FolderArgument(const QCommandLineParser& aParser, int aArgc, char** aArgv)
{
    if (aParser.positionalArguments().isEmpty())
        return QDir::currentPath();
    const QString given = aParser.positionalArguments().first();
    QByteArray raw = QFile::encodeName(given);
    for (int i = 1; i < aArgc; ++i)
        if (QString::fromLocal8Bit(aArgv[i]) == given)
            raw = aArgv[i];
    return FileNameToString(raw);
}

// Lets the event loop run until aDone holds or aMs have passed.
bool WaitFor(const std::function<bool()>& aDone, int aMs)
{
    QDeadlineTimer deadline(aMs);
    while (!aDone() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return aDone();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("shell-controls-demo"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The folder combo, tree and list, linked."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("view"),
                      QStringLiteral("View style of the list: large, small, list or details."),
                      QStringLiteral("view"), QStringLiteral("details")});
    parser.addOption({QStringLiteral("mask"),
                      QStringLiteral("File masks of the list, split by ';'."),
                      QStringLiteral("masks")});
    parser.addOption({QStringLiteral("drop-down"), QStringLiteral("Open the combo's drop-down.")});
    parser.addOption({QStringLiteral("smoke"), QStringLiteral("Check the linked controls, exit.")});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The folder to show."));
    parser.process(app);

    const TStyleChoice* startStyle = nullptr;
    for (const TStyleChoice& choice : kStyles)
        if (parser.value(QStringLiteral("view")) == QLatin1String(choice.name))
            startStyle = &choice;
    if (!startStyle) {
        std::fprintf(stderr, "shell-controls-demo: unknown view \"%s\"\n",
                     qPrintable(parser.value(QStringLiteral("view"))));
        return 2;
    }
    const QString folder = FolderArgument(parser, argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Shell controls"));
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);

    auto* combo = new TPTShellCombo(central);
    combo->SetDropDownCount(16);
    auto* label = new QLabel(QStringLiteral("Look &in:"), central);
    label->setBuddy(combo);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(combo, 1);

    auto* splitter = new TPTSplitter(central);
    auto* tree = new TPTShellTree(splitter->GetPane(0));
    FillPane(splitter->GetPane(0), tree);
    auto* list = new TPTShellList(splitter->GetPane(1));
    FillPane(splitter->GetPane(1), list);
    list->SetViewStyle(startStyle->style);
    list->SetFileFilter(parser.value(QStringLiteral("mask")));

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(row);
    layout->addWidget(splitter, 1);

    QToolBar* bar = window.addToolBar(QStringLiteral("View"));
    auto* group = new QActionGroup(&window);
    for (const TStyleChoice& choice : kStyles) {
        QAction* action = bar->addAction(QString::fromLatin1(choice.caption));
        action->setCheckable(true);
        action->setChecked(&choice == startStyle);
        group->addAction(action);
        const TViewStyle style = choice.style;
        QObject::connect(action, &QAction::triggered, list,
                         [list, style] { PTEventGuard([&] { list->SetViewStyle(style); }); });
    }
    QAction* up = bar->addAction(QStringLiteral("Up"));
    QObject::connect(up, &QAction::triggered, tree,
                     [tree] { PTEventGuard([&] { tree->GoUp(1); }); });
    auto* where = new QLabel;
    window.statusBar()->addWidget(where);
    list->OnFillComplete = [where](TPTCustomShellList* sender) {
        where->setText(QStringLiteral("%1 - %2 objects")
                           .arg(sender->Folder().GetPathName())
                           .arg(sender->ItemCount()));
    };

    // The chain the file dialog uses: combo - tree - list. The tree moves both
    // when its first fill selects the folder.
    const bool linked = PTEventGuard([&] {
        tree->SetShellList(list);
        tree->SetShellCombo(combo);
        tree->SelectedFolder().SetPathName(folder);
    });
    if (!linked)
        return 1;
    window.resize(900, 560);
    window.show();
    // The bar is placed once the splitter has its size.
    QApplication::processEvents();
    splitter->SetPosition(300);
    combo->setFocus();

    const auto inStep = [&] {
        const QString shown = tree->SelectedPathName();
        return !shown.isEmpty() && list->Folder().GetPathName() == shown &&
               combo->SelectedFolder().GetPathName() == shown;
    };
    if (parser.isSet(QStringLiteral("smoke"))) {
        const bool together = WaitFor(inStep, 5000);
        combo->showPopup();
        QApplication::processEvents();
        const bool dropped = combo->count() > 1 && combo->view()->isVisible();
        combo->hidePopup();
        if (!together)
            std::fprintf(stderr, "shell-controls-demo: the controls show different folders\n");
        if (!dropped)
            std::fprintf(stderr, "shell-controls-demo: the drop-down did not open\n");
        return together && dropped ? 0 : 1;
    }
    if (parser.isSet(QStringLiteral("drop-down")))
        QTimer::singleShot(300, combo, [combo] { combo->showPopup(); });
    return app.exec();
}
