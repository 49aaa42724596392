#pragma once

#include <QApplication>

// The hourglass for as long as the object lives; nests.
class TPTBusyCursor
{
  public:
    explicit TPTBusyCursor(Qt::CursorShape shape = Qt::WaitCursor)
    {
        QApplication::setOverrideCursor(QCursor(shape));
    }
    ~TPTBusyCursor() { QApplication::restoreOverrideCursor(); }
    TPTBusyCursor(const TPTBusyCursor&) = delete;
    TPTBusyCursor& operator=(const TPTBusyCursor&) = delete;
};
