#include "controls/combo/TPTCustomCombobox.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>

TPTCustomCombobox::TPTCustomCombobox(QWidget* aParent) : QComboBox(aParent)
{
    WatchModel();
    WatchPopup();
    connect(this, &QComboBox::activated, this, [this] { Activated(); });
}

TPTCustomCombobox::~TPTCustomCombobox()
{
    DestroyItems();
}

void TPTCustomCombobox::DestroyItems()
{
    // No index or text changes reach the owner from here on.
    blockSignals(true);
    // The objects of the remaining items are reported like any other removal.
    for (int row = 0; row < count(); ++row)
        DeleteRowObject(row);
    clear();
}

int TPTCustomCombobox::AddObject(const QString& aText, void* aObject)
{
    addItem(aText, QVariant::fromValue(aObject));
    return count() - 1;
}

void* TPTCustomCombobox::ItemObject(int aIndex) const
{
    return itemData(aIndex, ItemObjectRole).value<void*>();
}

void TPTCustomCombobox::SetItemObject(int aIndex, void* aObject)
{
    setItemData(aIndex, QVariant::fromValue(aObject), ItemObjectRole);
}

void TPTCustomCombobox::setModel(QAbstractItemModel* aModel)
{
    QComboBox::setModel(aModel);
    WatchModel();
}

void TPTCustomCombobox::WatchModel()
{
    disconnect(FRemoveConnection);
    disconnect(FResetConnection);
    FRemoveConnection = connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
                                &TPTCustomCombobox::RowsAboutToBeRemoved);
    FResetConnection = connect(model(), &QAbstractItemModel::modelAboutToBeReset, this,
                               &TPTCustomCombobox::ModelAboutToBeReset);
}

void TPTCustomCombobox::WatchPopup()
{
    // The drop-down's container is the view's parent; it stays when the view is
    // replaced.
    if (QWidget* container = view()->parentWidget())
        container->installEventFilter(this);
}

void TPTCustomCombobox::DeleteRowObject(int aRow)
{
    void* object = ItemObject(aRow);
    if (!object)
        return;
    // Cleared first so that a nested removal cannot report the object twice.
    const QSignalBlocker blocker(model());
    SetItemObject(aRow, nullptr);
    DeleteItem(object);
}

void TPTCustomCombobox::RowsAboutToBeRemoved(const QModelIndex& aParent, int aFirst, int aLast)
{
    if (aParent != rootModelIndex())
        return;
    for (int row = aFirst; row <= aLast; ++row)
        DeleteRowObject(row);
}

void TPTCustomCombobox::ModelAboutToBeReset()
{
    for (int row = 0; row < count(); ++row)
        DeleteRowObject(row);
}

void TPTCustomCombobox::DeleteItem(void* aItem)
{
    if (OnDeleteItem)
        OnDeleteItem(this, aItem);
}

void TPTCustomCombobox::SelEndOk()
{
    if (OnSelEndOk)
        OnSelEndOk(this);
}

void TPTCustomCombobox::SelEndCancel()
{
    if (OnSelEndCancel)
        OnSelEndCancel(this);
}

void TPTCustomCombobox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

void TPTCustomCombobox::CloseDropDown(bool aConfirm)
{
    if (!FPopupOpen)
        return;
    const int highlighted = view()->currentIndex().row();
    // Marked closed before hiding, so the popup's Hide queues nothing.
    FPopupOpen = false;
    FCloseUpPending = true;
    hidePopup();
    if (aConfirm && highlighted >= 0)
        setCurrentIndex(highlighted);
    FChosen = aConfirm;
    FinishCloseUp();
}

void TPTCustomCombobox::Activated()
{
    if (FCloseUpPending)
        FChosen = true;
    else
        SelEndOk();
}

void TPTCustomCombobox::FinishCloseUp()
{
    if (!FCloseUpPending)
        return;
    FCloseUpPending = false;
    if (FChosen)
        SelEndOk();
    else
        SelEndCancel();
    CloseUp();
}

bool TPTCustomCombobox::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aWatched == view()->parentWidget()) {
        if (aEvent->type() == QEvent::Show) {
            FPopupOpen = true;
            FCloseUpPending = false;
        } else if (aEvent->type() == QEvent::Hide && FPopupOpen) {
            // Whether an item was chosen is known only after Qt has hidden the popup.
            FPopupOpen = false;
            FCloseUpPending = true;
            FChosen = false;
            QMetaObject::invokeMethod(this, &TPTCustomCombobox::FinishCloseUp,
                                      Qt::QueuedConnection);
        }
    }
    return QComboBox::eventFilter(aWatched, aEvent);
}

void TPTCustomCombobox::keyPressEvent(QKeyEvent* aEvent)
{
    if (FExtendedUI && aEvent->key() == Qt::Key_Down && !FPopupOpen &&
        !(aEvent->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        showPopup();
        aEvent->accept();
        return;
    }
    QComboBox::keyPressEvent(aEvent);
}
