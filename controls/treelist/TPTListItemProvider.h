#pragma once

#include <QIcon>
#include <QString>

// The control behind the list's item model: it answers the texts and icons
// the model is asked for and takes the result of an in-place edit.
class TPTListItemProvider
{
  public:
    virtual ~TPTListItemProvider() = default;
    virtual QString ItemDispText(int row, int column) = 0;
    virtual QIcon ItemDispIcon(int row) = 0;
    virtual void ItemEdited(int row, const QString& text) = 0;
};
