#include "controls/combo/TPTCustomImageCombo.h"

#include "controls/combo/TPTImageComboDelegate.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScopeGuard>
#include <QStyleOptionComboBox>
#include <QStylePainter>

TPTCustomImageCombo::TPTCustomImageCombo(QWidget* aParent) : TPTCustomCombobox(aParent)
{
    setEditable(false);
    setItemDelegate(new TPTImageComboDelegate(this));
    SetExtendedUI(true);
    AutoSize(font());
}

TPTCustomImageCombo::~TPTCustomImageCombo()
{
    // Frees every item while this class's hook can still be reached.
    DestroyItems();
}

TPTImageComboItem* TPTCustomImageCombo::AddItem(const QString& aCaption, int aImageIndex,
                                                int aIndent)
{
    auto* item = new TPTImageComboItem(this);
    FOwnedItems.insert(item);
    item->SetCaption(aCaption);
    item->SetImageIndex(aImageIndex);
    item->SetIndent(aIndent);
    item->SetIndex(AddObject(QString(), item));
    return item;
}

TPTImageComboItem* TPTCustomImageCombo::GetImageComboItem(int aIndex) const
{
    auto* item = static_cast<TPTImageComboItem*>(ItemObject(aIndex));
    return FOwnedItems.contains(item) ? item : nullptr;
}

void TPTCustomImageCombo::SetAutoSizeHeight(bool aValue)
{
    FAutoSizeHeight = aValue;
}

void TPTCustomImageCombo::SetImageList(TPTImageList* aValue)
{
    FImageList.Set(aValue, this, [this] { Invalidate(); });
    Invalidate();
    AutoSize(font());
}

void TPTCustomImageCombo::SetIndentPixels(int aValue)
{
    if (aValue == FIndentPixels)
        return;
    FIndentPixels = aValue;
    Invalidate();
}

void TPTCustomImageCombo::SetItemHeight2(int aValue)
{
    if (aValue == FItemHeight)
        return;
    FItemHeight = aValue;
    view()->doItemsLayout();
    updateGeometry();
    Invalidate();
}

QColor TPTCustomImageCombo::Color() const
{
    return palette().color(QPalette::Base);
}

void TPTCustomImageCombo::Invalidate()
{
    update();
    view()->viewport()->update();
}

QSize TPTCustomImageCombo::sizeHint() const
{
    QSize size = TPTCustomCombobox::sizeHint();
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QSize fit = style()->sizeFromContents(QStyle::CT_ComboBox, &opt,
                                                QSize(size.width(), FItemHeight), this);
    size.setHeight(std::max(size.height(), fit.height()));
    return size;
}

QSize TPTCustomImageCombo::minimumSizeHint() const
{
    QSize size = TPTCustomCombobox::minimumSizeHint();
    size.setHeight(std::max(size.height(), sizeHint().height()));
    return size;
}

void TPTCustomImageCombo::AutoSize(const QFont& aFont)
{
    if (!FAutoSizeHeight)
        return;
    int height = QFontMetrics(aFont).height() + 2;
    if (FImageList && FImageList->Height() > height)
        height = FImageList->Height();
    SetItemHeight2(height);
}

void TPTCustomImageCombo::GetItemData(TPTImageComboItem* aItem)
{
    if (OnGetItemData)
        OnGetItemData(this, aItem);
}

void TPTCustomImageCombo::DeleteItem(void* aItem)
{
    auto* item = static_cast<TPTImageComboItem*>(aItem);
    if (!FOwnedItems.remove(item)) {
        TPTCustomCombobox::DeleteItem(aItem);
        return;
    }
    if (OnDeleteItem)
        OnDeleteItem(this, item);
    delete item;
}

void TPTCustomImageCombo::PaintItem(QPainter& aCanvas, int aIndex, const QRect& aRect,
                                    TPTOwnerDrawState aState)
{
    aCanvas.setFont(font());
    aCanvas.setBrush(Color());
    aCanvas.setPen(palette().color(QPalette::Text));
    if (aIndex >= 0 && aIndex < count() && (aState & odSelected)) {
        aCanvas.setBrush(palette().color(QPalette::Highlight));
        aCanvas.setPen(palette().color(QPalette::HighlightedText));
    }
    if (aIndex < 0)
        aCanvas.fillRect(aRect, aCanvas.brush());
    else
        DrawItem(aCanvas, aIndex, aRect, aState);
}

void TPTCustomImageCombo::DrawItem(QPainter& aCanvas, int aIndex, const QRect& aRect,
                                   TPTOwnerDrawState aState)
{
    if (OnDrawItem) {
        OnDrawItem(this, aCanvas, aIndex, aRect, aState);
        return;
    }
    TPTImageComboItem* item = GetImageComboItem(aIndex);
    if (!item)
        return;
    GetItemData(item);

    // The edit part shows the selected folder without its depth.
    const int level = (aState & odComboBoxEdit) ? 0 : item->Indent();
    const bool selected = aState & odSelected;
    const QColor highlight = palette().color(QPalette::Highlight);
    aCanvas.fillRect(aRect, Color());

    if (FImageList) {
        if (selected)
            aCanvas.setBrush(highlight);
        const int x = level * FIndentPixels + aRect.left() + 2;
        const int y = (aRect.top() + aRect.bottom() + 1 - FImageList->Height()) / 2;
        FImageList->Draw(aCanvas, item->ImageIndex(), x, y,
                         TPTImageList::OverlayNumber(item->OverlayIndex()),
                         selected ? highlight : QColor());
    }
    if (selected)
        aCanvas.setBrush(highlight);

    const QString caption = item->Caption();
    if (caption.isEmpty())
        return;
    const int left =
        (FImageList ? FImageList->Width() + 4 : 4) + level * FIndentPixels + aRect.left() + 1;
    const QRect box(left, aRect.top(), aCanvas.fontMetrics().horizontalAdvance(caption) + 3,
                    aRect.height());
    aCanvas.save();
    aCanvas.setClipRect(box, Qt::IntersectClip);
    aCanvas.fillRect(box, aCanvas.brush());
    aCanvas.drawText(QRect(box.left() + 1, box.top() + 1, box.width() + 1, box.height() + 1),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    aCanvas.restore();
}

void TPTCustomImageCombo::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect edit =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    TPTOwnerDrawState state = odComboBoxEdit;
    if (hasFocus() && !DroppedDown())
        state |= odSelected | odFocus;
    painter.setClipRect(edit);
    PaintItem(painter, currentIndex(), edit, state);
}

void TPTCustomImageCombo::changeEvent(QEvent* aEvent)
{
    if (aEvent->type() == QEvent::FontChange && !FFontChanging) {
        FFontChanging = true;
        const auto done = qScopeGuard([this] { FFontChanging = false; });
        AutoSize(font());
    }
    TPTCustomCombobox::changeEvent(aEvent);
}
