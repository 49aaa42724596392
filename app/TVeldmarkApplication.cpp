#include "app/TVeldmarkApplication.h"

#include "VeldmarkVersion.h"

#include <QIcon>
#include <QMessageBox>

#include <exception>

TVeldmarkApplication::TVeldmarkApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veldmark"));
    setApplicationVersion(QLatin1String(kVeldmarkVersion));
    // Lets the desktop match the windows to the installed entry and its icon;
    // a run from the build folder takes the icon compiled in.
    setDesktopFileName(QLatin1String(kVeldmarkAppId));
    setWindowIcon(QIcon::fromTheme(QLatin1String(kVeldmarkAppId),
                                   QIcon(QStringLiteral(":/veldmark/veldmark.png"))));
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
