#include "controls/combo/TPTImageComboItem.h"

#include "controls/combo/TPTCustomImageCombo.h"

namespace
{

int liveItems = 0; // items are made and freed on the user-interface thread only

} // namespace

TPTImageComboItem::TPTImageComboItem(TPTCustomImageCombo* aCombo) : FCombo(aCombo)
{
    ++liveItems;
}

TPTImageComboItem::~TPTImageComboItem()
{
    --liveItems;
}

int TPTImageComboItem::LiveCount()
{
    return liveItems;
}

void TPTImageComboItem::SetIndent(int aValue)
{
    FIndent = aValue;
    Invalidate();
}

void TPTImageComboItem::SetImageIndex(int aValue)
{
    FImageIndex = aValue;
    Invalidate();
}

void TPTImageComboItem::SetOverlayIndex(int aValue)
{
    FOverlayIndex = aValue;
    Invalidate();
}

void TPTImageComboItem::SetCaption(const QString& aValue)
{
    FCaption = aValue;
    Invalidate();
}

void TPTImageComboItem::Invalidate()
{
    if (FCombo)
        FCombo->Invalidate();
}
