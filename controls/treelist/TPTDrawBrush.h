#pragma once

#include <QColor>

#include <functional>

// A solid brush with a change notification, as handed to custom-draw handlers.
class TPTDrawBrush
{
  public:
    TPTDrawBrush() = default;
    explicit TPTDrawBrush(const QColor& color) : FColor(color) {}

    QColor Color() const { return FColor; }
    void SetColor(const QColor& color)
    {
        FColor = color;
        if (OnChange)
            OnChange();
    }
    void Assign(const TPTDrawBrush& other) { SetColor(other.FColor); }

    std::function<void()> OnChange;

  private:
    QColor FColor = Qt::white;
};
