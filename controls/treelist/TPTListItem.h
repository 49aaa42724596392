#pragma once

#include <QString>
#include <QStringList>

// One entry of the list. Kept small and flat because a list holds up to a
// hundred thousand of them; texts and icons the owner supplies on demand are
// asked for only when an item is painted.
struct TPTListItem {
    QString Caption;
    QStringList SubItems;
    void* Data = nullptr; // not owned: the owner frees it in its deletion hook
    int ImageIndex = -1;
    int OverlayIndex = -1;
    bool CaptionOnDemand = false; // the caption is asked of the owner when shown
    bool Cut = false;             // drawn dimmed
    bool DropHighlighted = false;
};
