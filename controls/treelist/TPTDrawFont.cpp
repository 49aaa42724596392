#include "controls/treelist/TPTDrawFont.h"

TPTDrawFont::TPTDrawFont(const QFont& font, const QColor& color) : FFont(font), FColor(color) {}

void TPTDrawFont::SetFont(const QFont& font)
{
    FFont = font;
    Changed();
}

void TPTDrawFont::SetColor(const QColor& color)
{
    FColor = color;
    Changed();
}

void TPTDrawFont::SetBold(bool bold)
{
    FFont.setBold(bold);
    Changed();
}

void TPTDrawFont::SetItalic(bool italic)
{
    FFont.setItalic(italic);
    Changed();
}

void TPTDrawFont::Assign(const TPTDrawFont& other)
{
    FFont = other.FFont;
    FColor = other.FColor;
    Changed();
}

void TPTDrawFont::Changed()
{
    if (OnChange)
        OnChange();
}
