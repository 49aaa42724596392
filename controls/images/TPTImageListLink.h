#pragma once

#include "controls/images/TPTImageList.h"

#include <QMetaObject>
#include <QPointer>

#include <functional>

// A control's reference to an image list it does not own: null once the list
// is destroyed, and the control's refresh runs when the list's images change
// and when the list goes. The tree, the list and the image combo hold their
// image lists through it.
class TPTImageListLink
{
  public:
    TPTImageListLink() = default;
    TPTImageListLink(const TPTImageListLink&) = delete;
    TPTImageListLink& operator=(const TPTImageListLink&) = delete;
    ~TPTImageListLink();

    // aRefresh runs in aContext's thread and never after aContext is destroyed.
    void Set(TPTImageList* aList, QObject* aContext, const std::function<void()>& aRefresh);

    TPTImageList* Get() const { return FList; }
    TPTImageList* operator->() const { return FList; }
    explicit operator bool() const { return !FList.isNull(); }

  private:
    void Disconnect();

    QPointer<TPTImageList> FList;
    QMetaObject::Connection FChanged;
    QMetaObject::Connection FDestroyed;
};
