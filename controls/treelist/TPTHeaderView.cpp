#include "controls/treelist/TPTHeaderView.h"

#include <QPainter>
#include <QStyleOptionHeader>

TPTHeaderView::TPTHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("header"));
    setSectionsClickable(true);
    setSectionsMovable(false);
    setSortIndicatorShown(false);
    setStretchLastSection(false);
    setHighlightSections(false);
    // Columns may be narrowed to nothing, as the owner or the user wants.
    setMinimumSectionSize(0);
}

QRect TPTHeaderView::SectionRect(int section) const
{
    if (section < 0 || section >= count())
        return {};
    return QRect(sectionViewportPosition(section), 0, sectionSize(section), viewport()->height());
}

void TPTHeaderView::InvalidateSection(int section)
{
    const QRect r = SectionRect(section);
    if (!r.isEmpty())
        viewport()->update(r);
}

void TPTHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!OwnerDraw || !IsOwnerDrawn || !IsOwnerDrawn(logicalIndex) || !rect.isValid()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // The frame first, as the header draws it for every item, then the face.
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.text.clear();
    opt.icon = QIcon();
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    painter->restore();
    painter->save();
    OwnerDraw(painter, logicalIndex, rect);
    painter->restore();
}
