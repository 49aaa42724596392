#include "controls/treelist/TPTCustomListView.h"

// Custom draw: the control and item stages around each paint of a view,
// and the handler's answer carried into the item's style option.

#include "controls/treelist/PTIconUtils.h"
#include "controls/treelist/TPTListItemModel.h"
#include "controls/treelist/TPTLvCustomDraw.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyleOptionViewItem>

std::unique_ptr<TPTCustomDraw> TPTCustomListView::CreateCustomDraw(TNMCustomDraw* record,
                                                                   uint32_t* result)
{
    return std::make_unique<TPTLvCustomDraw>(record, font(), result);
}

TPTListItem* TPTCustomListView::ItemFromSpec(quintptr spec)
{
    const int row = int(spec);
    return row >= 0 && row < FModel->Count() ? &FModel->Item(row) : nullptr;
}

TPTCustomDraw* TPTCustomListView::PTCustomDraw(TNMCustomDraw& record, uint32_t& result)
{
    const bool isItem = (record.dwDrawStage & ptcd::ItemFlag) != 0;
    TPTListItem* item = nullptr;
    bool looked = false;
    auto find = [&] {
        if (!looked && isItem)
            item = ItemFromSpec(record.dwItemSpec);
        looked = true;
    };
    if (OnPTCustomDrawEx) {
        FCustomDraw = CreateCustomDraw(&record, &result);
        find();
        OnPTCustomDrawEx(this, *FCustomDraw, item);
    }
    if (OnPTCustomDraw && (record.dwDrawStage & ptcd::ItemPrePaint) == ptcd::ItemPrePaint) {
        if (!FCustomDraw)
            FCustomDraw = CreateCustomDraw(&record, &result);
        find();
        OnPTCustomDraw(this, *FCustomDraw, item);
    }
    if (FCustomDraw)
        FCustomDraw->Apply();
    if (record.dwDrawStage & ptcd::PrePaint)
        result |= ptcd::NotifyItemDraw;
    return FCustomDraw.get();
}

uint32_t TPTCustomListView::CustomDrawNotify(TNMCustomDraw& record)
{
    FCustomDraw.reset();
    uint32_t result = 0;
    PTCustomDraw(record, result);
    return result;
}

QColor TPTCustomListView::DefaultTextColor(bool selected) const
{
    const QPalette& pal = ActiveView()->palette();
    return selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
}

bool TPTCustomListView::HostPaintBegin(QWidget* viewport)
{
    QPainter painter(viewport);
    painter.setPen(DefaultTextColor(false));
    painter.setBackground(Color());
    painter.setFont(font());
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::PrePaint;
    record.hdc = &painter;
    record.rc = viewport->rect();
    record.clrText = DefaultTextColor(false);
    record.clrTextBk = Color();
    const uint32_t result = CustomDrawNotify(record);
    FItemNotify = (result & ptcd::NotifyItemDraw) != 0;
    FPostPaintNotify = (result & ptcd::NotifyPostPaint) != 0;
    return (result & ptcd::SkipDefault) == 0;
}

void TPTCustomListView::HostPaintEnd(QWidget* viewport)
{
    FItemNotify = false;
    if (!FPostPaintNotify)
        return;
    FPostPaintNotify = false;
    QPainter painter(viewport);
    painter.setPen(DefaultTextColor(false));
    painter.setBackground(Color());
    painter.setFont(font());
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::PostPaint;
    record.hdc = &painter;
    record.rc = viewport->rect();
    CustomDrawNotify(record);
}

bool TPTCustomListView::HostItemDrawBegin(QPainter* painter, const QRect& rect,
                                          const QModelIndex& index)
{
    FItemState = TPTItemDrawState();
    if (!FItemNotify)
        return true;
    const int row = index.row();
    const bool selected =
        Selection()->isSelected(FModel->index(row, 0)) || FModel->Item(row).DropHighlighted;
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPrePaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = quintptr(row);
    record.uItemState = (selected ? ptcd::StateSelected : 0u) |
                        (Selection()->currentIndex().row() == row ? ptcd::StateFocus : 0u);
    record.lItemlParam = FModel->Item(row).Data;
    const QColor text = DefaultTextColor(selected);
    const QColor textBk = Color();
    record.clrText = text;
    record.clrTextBk = textBk;

    painter->save();
    painter->setPen(text);
    painter->setBackground(textBk);
    painter->setFont(font());
    const uint32_t result = CustomDrawNotify(record);
    FItemState.Active = true;
    FItemState.Row = FModel->index(row, 0);
    FItemState.FontChanged = (result & ptcd::NewFont) != 0;
    FItemState.Font = painter->font();
    FItemState.TextChanged = record.clrText != text;
    FItemState.Text = record.clrText;
    FItemState.TextBkChanged = record.clrTextBk != textBk;
    FItemState.TextBk = record.clrTextBk;
    FItemState.PostPaint = (result & ptcd::NotifyPostPaint) != 0;
    painter->restore();
    return (result & ptcd::SkipDefault) == 0;
}

void TPTCustomListView::HostItemDrawEnd(QPainter* painter, const QRect& rect,
                                        const QModelIndex& index)
{
    const bool postPaint = FItemState.Active && FItemState.PostPaint;
    FItemState = TPTItemDrawState();
    if (!postPaint)
        return;
    TNMLvCustomDraw record;
    record.dwDrawStage = ptcd::ItemPostPaint;
    record.hdc = painter;
    record.rc = rect;
    record.dwItemSpec = quintptr(index.row());
    record.lItemlParam = FModel->Item(index.row()).Data;
    painter->save();
    CustomDrawNotify(record);
    painter->restore();
}

bool TPTCustomListView::HostItemDrawActive(const QModelIndex& index) const
{
    return FItemState.Active && FItemState.Row.row() == index.row();
}

void TPTCustomListView::HostApplyItemOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const
{
    const TPTListItem& item = FModel->Item(index.row());
    if (item.DropHighlighted)
        option->state |= QStyle::State_Selected;
    if (item.Cut && index.column() == 0 && !option->icon.isNull())
        option->icon = PTDimmedIcon(option->icon, option->decorationSize);
    if (!HostItemDrawActive(index))
        return;
    if (FItemState.FontChanged)
        option->font = FItemState.Font;
    if (FItemState.TextChanged) {
        option->palette.setColor(QPalette::Text, FItemState.Text);
        option->palette.setColor(QPalette::HighlightedText, FItemState.Text);
    }
    if (FItemState.TextBkChanged)
        option->backgroundBrush = FItemState.TextBk;
}
