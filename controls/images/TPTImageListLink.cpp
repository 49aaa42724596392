#include "controls/images/TPTImageListLink.h"

TPTImageListLink::~TPTImageListLink()
{
    Disconnect();
}

void TPTImageListLink::Disconnect()
{
    QObject::disconnect(FChanged);
    QObject::disconnect(FDestroyed);
}

void TPTImageListLink::Set(TPTImageList* aList, QObject* aContext,
                           const std::function<void()>& aRefresh)
{
    Disconnect();
    FList = aList;
    if (!aList)
        return;
    FChanged = QObject::connect(aList, &TPTImageList::Changed, aContext, aRefresh);
    FDestroyed = QObject::connect(aList, &QObject::destroyed, aContext, aRefresh);
}
