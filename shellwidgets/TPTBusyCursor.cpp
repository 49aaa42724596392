#include "shellwidgets/TPTBusyCursor.h"

#include <QApplication>
#include <QCursor>

TPTBusyCursor::TPTBusyCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TPTBusyCursor::~TPTBusyCursor()
{
    QApplication::restoreOverrideCursor();
}
