#include "app/TVeldmarkApplication.h"

#include "VeldmarkVersion.h"
#include "shell/PTEventGuard.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QIcon>
#include <QMessageBox>

TVeldmarkApplication::TVeldmarkApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veldmark"));
    InstallShellWidgetPresenters();
    setApplicationVersion(QLatin1String(kVeldmarkVersion));
    // Lets the desktop match the windows to the installed entry and its icon;
    // a run from the build folder takes the icon compiled in.
    setDesktopFileName(QLatin1String(kVeldmarkAppId));
    setWindowIcon(QIcon::fromTheme(QLatin1String(kVeldmarkAppId),
                                   QIcon(QStringLiteral(":/veldmark/veldmark.png"))));
}

bool TVeldmarkApplication::notify(QObject* receiver, QEvent* event)
{
    // The last net: handlers guard themselves with PTEventGuard.
    bool handled = false;
    PTEventGuard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void TVeldmarkApplication::ShowException(const QString& what)
{
    QMessageBox::critical(nullptr, QStringLiteral("Veldmark"), what);
}
