#include "shell/PTMessageBox.h"

#include <QApplication>

#include <utility>

namespace
{

TPTMessageBoxHandler& installedHandler()
{
    static TPTMessageBoxHandler handler;
    return handler;
}

QMessageBox::StandardButton showMessageBox(const TPTMessageBoxRequest& request)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning("%s", qPrintable(request.text));
        return QMessageBox::NoButton;
    }
    QWidget* parent = request.parent ? request.parent : QApplication::activeWindow();
    const QString caption =
        request.caption.isEmpty() ? QGuiApplication::applicationDisplayName() : request.caption;
    QMessageBox box(request.icon, caption, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QMessageBox::StandardButton PTMessageBox(const TPTMessageBoxRequest& request)
{
    // A copy, so a handler that replaces itself while running stays alive.
    const TPTMessageBoxHandler handler = installedHandler();
    return handler ? handler(request) : showMessageBox(request);
}

TPTMessageBoxHandler SetPTMessageBoxHandler(TPTMessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}
