#pragma once

#include <QHeaderView>

#include <functional>

// The header of the details style. Sections the list marks as owner-drawn get
// the header's frame from the style and their face from the list; the others
// are painted by Qt as usual.
class TPTHeaderView : public QHeaderView
{
    Q_OBJECT
  public:
    explicit TPTHeaderView(QWidget* parent = nullptr);

    // Whether a section is owner-drawn, and the painting of its face.
    std::function<bool(int section)> IsOwnerDrawn;
    std::function<void(QPainter* painter, int section, const QRect& rect)> OwnerDraw;

    QRect SectionRect(int section) const;
    void InvalidateSection(int section);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
