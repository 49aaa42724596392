#include "controls/treelist/TPTViewHost.h"

#include <QKeyEvent>

bool IsContextMenuKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
           (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}
