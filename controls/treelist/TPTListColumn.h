#pragma once

#include <QString>

#include <Qt>

// A column of the details style.
struct TPTListColumn {
    QString Caption;
    int Width = 50;
    Qt::Alignment Alignment = Qt::AlignLeft;
};
