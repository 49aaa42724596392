#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// What the Properties dialog of an item shows; every text is ready to show.
struct TItemProperties {
    QWidget* parent = nullptr;
    QString name;
    QString type;
    QString location; // the folder holding the item
    QString size;     // empty for folders (their size is not added up)
    QString modified;
    QString permissions; // "rw-r--r-- (644), owner name, group name"
};

// The properties of a file-system object (lstat: a link shows as a link);
// false when it cannot be read.
bool ReadItemProperties(const QByteArray& path, TItemProperties& properties);

using TItemPropertiesPresenter = std::function<void(const TItemProperties& properties)>;

// Shows the dialog. A handler set by SetItemPropertiesHandler answers first
// (tests); otherwise the presenter that the shell widget layer installs shows
// it; with neither, the properties go to the log. User-interface thread only.
void ShowItemProperties(const TItemProperties& properties);

// Returns the handler that was installed; an empty one brings the presenter back.
TItemPropertiesPresenter SetItemPropertiesHandler(TItemPropertiesPresenter handler);
void SetItemPropertiesPresenter(TItemPropertiesPresenter presenter);
bool HasItemPropertiesPresenter();
