#include "controls/treelist/TPTCustomDraw.h"

#include <QPainter>

TPTCustomDraw::TPTCustomDraw(TNMCustomDraw* record, const QFont& ownerFont, uint32_t* result)
    : FOwnerFont(ownerFont)
{
    Reset(record, result);
}

TPTCustomDraw::~TPTCustomDraw() = default;

void TPTCustomDraw::Reset(TNMCustomDraw* record, uint32_t* result)
{
    FRecord = record;
    FResult = result;
    FResultSet = false;
    FBrush.reset();
    FFont.reset();
    FBrushChanged = false;
    FFontChanged = false;
}

uint32_t TPTCustomDraw::GetRawDrawStage() const
{
    return FRecord ? FRecord->dwDrawStage : 0;
}

TPTCustomDrawStage TPTCustomDraw::GetDrawStage() const
{
    switch (GetRawDrawStage()) {
    case ptcd::PrePaint:
        return ptcdsPrePaint;
    case ptcd::PostPaint:
        return ptcdsPostPaint;
    case ptcd::ItemPrePaint:
        return ptcdsItemPrePaint;
    case ptcd::ItemPostPaint:
        return ptcdsItemPostPaint;
    default:
        return ptcdsUnknown;
    }
}

QRect TPTCustomDraw::GetRect() const
{
    return FRecord ? FRecord->rc : QRect();
}

QPainter* TPTCustomDraw::GetHandle() const
{
    return FRecord ? FRecord->hdc : nullptr;
}

bool TPTCustomDraw::GetIsItem() const
{
    return (GetRawDrawStage() & ptcd::ItemFlag) != 0;
}

TPTDrawFont& TPTCustomDraw::GetFont()
{
    if (!FFont)
        FFont = CreateFont();
    return *FFont;
}

void TPTCustomDraw::SetFont(const TPTDrawFont& font)
{
    GetFont().Assign(font);
}

TPTDrawBrush& TPTCustomDraw::GetBrush()
{
    if (!FBrush)
        FBrush = CreateBrush();
    return *FBrush;
}

void TPTCustomDraw::SetBrush(const TPTDrawBrush& brush)
{
    GetBrush().Assign(brush);
}

uint32_t TPTCustomDraw::GetResult() const
{
    return FResult ? *FResult : 0;
}

void TPTCustomDraw::SetResult(uint32_t value)
{
    if (FResult)
        *FResult = value;
    FResultSet = true;
}

void TPTCustomDraw::OrResult(uint32_t bits)
{
    if (FResult)
        *FResult |= bits;
}

std::unique_ptr<TPTDrawFont> TPTCustomDraw::CreateFont()
{
    QPainter* dc = GetHandle();
    auto font =
        std::make_unique<TPTDrawFont>(FOwnerFont, dc ? dc->pen().color() : QColor(Qt::black));
    font->OnChange = [this] { FFontChanged = true; };
    return font;
}

std::unique_ptr<TPTDrawBrush> TPTCustomDraw::CreateBrush()
{
    QPainter* dc = GetHandle();
    auto brush = std::make_unique<TPTDrawBrush>(dc ? dc->background().color() : QColor(Qt::white));
    brush->OnChange = [this] { FBrushChanged = true; };
    return brush;
}

void TPTCustomDraw::Apply() {}

void TPTCustomDraw::ApplyItemPrePaint(TNMColorCustomDraw& record, bool mayAnswer)
{
    if (SkipDefault) {
        if (mayAnswer)
            OrResult(ptcd::SkipDefault);
        return;
    }
    if (FFontChanged && FFont) {
        QPainter* dc = record.hdc;
        if (dc && dc->font() != FFont->Font()) {
            dc->setFont(FFont->Font());
            OrResult(ptcd::NewFont);
        }
        record.clrText = FFont->Color();
    }
    if (FBrushChanged && FBrush)
        record.clrTextBk = FBrush->Color();
}
