#include "controls/treelist/TPTCustomListView.h"

// The columns of the details style and the header: owner-draw formats,
// the sort column and its arrow, default header painting.

#include "controls/treelist/PTHeaderGlyphs.h"
#include "controls/treelist/TPTHeaderView.h"
#include "controls/treelist/TPTListItemModel.h"

#include <QPainter>

#include <algorithm>

namespace
{

unsigned JustifyBits(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return pthdf::Right;
    if (alignment & Qt::AlignHCenter)
        return pthdf::Center;
    return pthdf::Left;
}

} // namespace

void TPTCustomListView::SetColumns(const std::vector<TPTListColumn>& columns)
{
    FModel->SetColumns(columns);
    for (size_t i = 0; i < columns.size(); ++i)
        FHeader->resizeSection(int(i), columns[i].Width);
    SetHeaderODStyle();
}

int TPTCustomListView::ColumnCount() const
{
    return int(FModel->Columns().size());
}

TPTListColumn TPTCustomListView::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        return {};
    TPTListColumn column = FModel->Columns()[size_t(index)];
    column.Width = ColumnWidth(index);
    return column;
}

int TPTCustomListView::ColumnWidth(int index) const
{
    return index >= 0 && index < FHeader->count() ? FHeader->sectionSize(index) : 0;
}

void TPTCustomListView::SetColumnWidth(int index, int width)
{
    if (index >= 0 && index < FHeader->count())
        FHeader->resizeSection(index, width);
}

void TPTCustomListView::ColClick(int column)
{
    if (OnColumnClick)
        OnColumnClick(this, column);
}

unsigned TPTCustomListView::HeaderItemFormat(int index) const
{
    if (index < 0 || size_t(index) >= FHeaderFormats.size())
        return 0;
    return FHeaderFormats[size_t(index)];
}

void TPTCustomListView::SetHeaderODStyle()
{
    if (FHeaderStyleLock > 0)
        return;
    ++FHeaderStyleLock;
    const std::vector<TPTListColumn>& columns = FModel->Columns();
    FHeaderFormats.assign(columns.size(), 0);
    for (size_t i = columns.size(); i-- > 0;) {
        const unsigned kind = FHeaderSortDisplayMode != ptlvNone ? pthdf::OwnerDraw : pthdf::String;
        FHeaderFormats[i] = (JustifyBits(columns[i].Alignment) & pthdf::JustifyMask) | kind;
    }
    FHeader->viewport()->update();
    --FHeaderStyleLock;
}

QRect TPTCustomListView::ArrowBox(const QRect& textRect)
{
    return PTArrowBox(textRect);
}

void TPTCustomListView::SetHeaderSortColumn(int index)
{
    if (index == FHeaderSortColumn)
        return;
    if (FHeaderSortColumn >= 0)
        FHeader->InvalidateSection(FHeaderSortColumn);
    FHeader->InvalidateSection(index);
    FHeaderSortColumn = index;
}

void TPTCustomListView::SetHeaderSortDirection(TPTLvSortDirection direction)
{
    if (direction == FHeaderSortDirection)
        return;
    if (FHeaderSortColumn >= 0)
        FHeader->InvalidateSection(FHeaderSortColumn);
    FHeaderSortDirection = direction;
}

void TPTCustomListView::SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode mode)
{
    if (mode == FHeaderSortDisplayMode)
        return;
    // The owner-drawn header needs a header control of version 4.70 or later,
    // which every supported platform reports.
    FHeaderSortDisplayMode = mode;
    SetHeaderODStyle();
    FHeader->viewport()->update();
}

void TPTCustomListView::SetHeaderDefaultDrawing(bool value)
{
    if (value == FHeaderDefaultDrawing)
        return;
    FHeaderDefaultDrawing = value;
    FHeader->viewport()->update();
}

void TPTCustomListView::PaintHeaderSection(QPainter* painter, int index, const QRect& rect)
{
    // The canvas is attached only while one header item is painted, and
    // detached again whatever the drawing does.
    struct Detach {
        QPainter*& canvas;
        ~Detach() { canvas = nullptr; }
    } detach{FHeaderCanvas};
    FHeaderCanvas = painter;
    DrawHeader(index, rect);
}

void TPTCustomListView::DrawHeader(int index, const QRect& rect)
{
    if (!FHeaderCanvas)
        return;
    FHeaderCanvas->setFont(font());
    FHeaderCanvas->setBrush(FHeader->palette().color(QPalette::Button));
    const QRect r = rect.adjusted(2, 2, -2, -2);
    if (FHeaderDefaultDrawing)
        DefaultDrawHeader(index, r);
}

void TPTCustomListView::DrawHeaderCaption(int index, const QRect& textRect)
{
    if (textRect.width() <= 0)
        return;
    const TPTListColumn column = Column(index);
    const QString text =
        FHeaderCanvas->fontMetrics().elidedText(column.Caption, Qt::ElideRight, textRect.width());
    FHeaderCanvas->setPen(FHeader->palette().color(QPalette::ButtonText));
    FHeaderCanvas->drawText(textRect,
                            int(column.Alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter |
                                Qt::TextSingleLine,
                            text);
}

void TPTCustomListView::DefaultDrawHeader(int index, const QRect& rect)
{
    QPainter* canvas = FHeaderCanvas;
    if (!canvas)
        return;
    canvas->fillRect(rect, canvas->brush());
    QRect t = rect.adjusted(4, 0, -4, 0);
    const bool rightAligned =
        (JustifyBits(Column(index).Alignment) & pthdf::JustifyMask) == pthdf::Right;
    switch (FHeaderSortDisplayMode) {
    case ptlvNone:
        DrawHeaderCaption(index, t);
        break;
    case ptlvLeftAlign:
        if (index == FHeaderSortColumn && ColumnWidth(index) > 15) {
            const QRect b = ArrowBox(t);
            DrawHeaderGlyphs(index, b);
            t.setLeft(b.x() + b.width() + 5);
        }
        DrawHeaderCaption(index, t);
        break;
    case ptlvRightOfText:
        if (!rightAligned) {
            DrawHeaderCaption(index, t);
            const QString caption = Column(index).Caption;
            const QString shown =
                canvas->fontMetrics().elidedText(caption, Qt::ElideRight, std::max(0, t.width()));
            const int width =
                std::min(canvas->fontMetrics().horizontalAdvance(shown), std::max(0, t.width()));
            t = QRect(t.x() + width + 5, t.y(), width, t.height());
            DrawHeaderGlyphs(index, ArrowBox(t));
            break;
        }
        [[fallthrough]];
    case ptlvRightAlign: {
        QRect b = ArrowBox(t);
        b.translate(t.width() - b.width() - 5, 0);
        DrawHeaderGlyphs(index, b);
        if (index == FHeaderSortColumn)
            t.setRight(b.x() - 4 - 1);
        DrawHeaderCaption(index, t);
        break;
    }
    }
}

void TPTCustomListView::DrawHeaderGlyphs(int index, const QRect& box)
{
    if (index != FHeaderSortColumn || !FHeaderCanvas)
        return;
    if (ColumnWidth(index) <= 2 * box.width())
        return;
    const QPalette& pal = FHeader->palette();
    if (FHeaderSortDirection == ptsdDesc)
        DrawUpArrow(*FHeaderCanvas, box, pal.color(QPalette::Button), pal.color(QPalette::Dark),
                    pal.color(QPalette::Light));
    else
        DrawDownArrow(*FHeaderCanvas, box, pal.color(QPalette::Button), pal.color(QPalette::Dark),
                      pal.color(QPalette::Light));
}
