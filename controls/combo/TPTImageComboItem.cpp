#include "controls/combo/TPTImageComboItem.h"

#include "controls/combo/TPTCustomImageCombo.h"

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
