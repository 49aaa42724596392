#include "app/TVeldmarkApplication.h"

#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QMessageBox>

#include <exception>

TVeldmarkApplication::TVeldmarkApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veldmark"));
    InstallShellWidgetPresenters();
}

bool TVeldmarkApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowException(tr("Unknown error."));
    }
    return false;
}

void TVeldmarkApplication::ShowException(const QString& what)
{
    QMessageBox::critical(nullptr, QStringLiteral("Veldmark"), what);
}
