#pragma once

#include <QColor>
#include <QFont>
#include <QPersistentModelIndex>

// What the custom-draw answer for the item being painted asks the default
// painting to change. Valid between the item's pre-paint and post-paint.
struct TPTItemDrawState {
    bool Active = false;
    QPersistentModelIndex Row;
    bool FontChanged = false;
    QFont Font;
    bool TextChanged = false;
    QColor Text;
    bool TextBkChanged = false;
    QColor TextBk;
    bool PostPaint = false;
};
