#pragma once

#include <QColor>
#include <QFont>

#include <functional>

// A font with a colour and a change notification, as handed to custom-draw
// handlers: changing it marks the item's drawing as customised.
class TPTDrawFont
{
  public:
    TPTDrawFont() = default;
    explicit TPTDrawFont(const QFont& font, const QColor& color = Qt::black);

    const QFont& Font() const { return FFont; }
    void SetFont(const QFont& font);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void Assign(const TPTDrawFont& other);

    std::function<void()> OnChange;

  private:
    void Changed();

    QFont FFont;
    QColor FColor = Qt::black;
};
