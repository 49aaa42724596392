#pragma once

#include "controls/PTNotifyEvent.h"

#include <QComboBox>

#include <functional>

class QAbstractItemModel;

using TPTDeleteComboItemEvent = std::function<void(QObject* aSender, void* aItem)>;

// A combo box that reports what Qt's combo box leaves implicit: the drop-down
// closing (OnCloseUp), a confirmed choice (OnSelEndOk), a dismissed drop-down
// (OnSelEndCancel) and the removal of an item that carries an object
// (OnDeleteItem, with that object; the combo never owns it).
//
// When the drop-down closes, OnSelEndOk or OnSelEndCancel comes first and then
// OnCloseUp; Qt hides the popup before it reports the chosen item, so both are
// fired from the event loop right after the popup closed. A choice made with the
// drop-down closed (arrow keys, wheel) fires OnSelEndOk at once.
//
// Teardown rule (the same for tree, list and image combo): every item object
// passes DeleteItem before it goes, also when the combo is destroyed. A base
// destructor can only reach the base hook, so a class that overrides
// DeleteItem calls DestroyItems() first thing in its own destructor.
class TPTCustomCombobox : public QComboBox
{
    Q_OBJECT

  public:
    // The role of an item's object: a void* that the owner manages.
    static constexpr int ItemObjectRole = Qt::UserRole;

    explicit TPTCustomCombobox(QWidget* aParent = nullptr);
    ~TPTCustomCombobox() override;

    // Adds an item with aObject in its object slot; returns its index.
    int AddObject(const QString& aText, void* aObject);
    void* ItemObject(int aIndex) const;
    void SetItemObject(int aIndex, void* aObject);

    // With the extended keyboard interface the Down key opens the drop-down
    // instead of changing the selection.
    bool ExtendedUI() const { return FExtendedUI; }
    void SetExtendedUI(bool aValue) { FExtendedUI = aValue; }

    bool DroppedDown() const { return FPopupOpen; }
    // Closes the drop-down at once. With aConfirm the highlighted entry becomes
    // the current one and OnSelEndOk fires, otherwise OnSelEndCancel; OnCloseUp
    // follows, all before this returns.
    void CloseDropDown(bool aConfirm);

    void setModel(QAbstractItemModel* aModel) override;

    // Public so that a form can fire them itself.
    virtual void SelEndOk();
    virtual void SelEndCancel();
    virtual void CloseUp();

    TPTDeleteComboItemEvent OnDeleteItem;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnSelEndCancel;
    TNotifyEvent OnSelEndOk;

  protected:
    // An item carrying aItem in its object slot is being removed.
    virtual void DeleteItem(void* aItem);
    // For destructors: silences the combo's signals (the owner may be half
    // destroyed), reports every remaining object through DeleteItem, in order,
    // and removes the items. Harmless when called again.
    void DestroyItems();

    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;

  private:
    void WatchModel();
    void WatchPopup();
    void RowsAboutToBeRemoved(const QModelIndex& aParent, int aFirst, int aLast);
    void ModelAboutToBeReset();
    void DeleteRowObject(int aRow);
    void Activated();
    void FinishCloseUp();

    QMetaObject::Connection FRemoveConnection;
    QMetaObject::Connection FResetConnection;
    bool FExtendedUI = false;
    bool FPopupOpen = false;
    bool FCloseUpPending = false;
    bool FChosen = false;
};
