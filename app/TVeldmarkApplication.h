#pragma once

#include <QApplication>

// The application object. An exception that escapes an event handler is
// shown in the standard error box instead of unwinding through the event
// loop, which Qt does not allow; the program then goes on.
class TVeldmarkApplication : public QApplication
{
    Q_OBJECT

  public:
    TVeldmarkApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error box for an error that reached the top.
    static void ShowException(const QString& what);
};
