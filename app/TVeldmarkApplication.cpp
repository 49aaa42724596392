#include "app/TVeldmarkApplication.h"

#include "shell/PTEventGuard.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QMessageBox>


TVeldmarkApplication::TVeldmarkApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veldmark"));
    InstallShellWidgetPresenters();
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
