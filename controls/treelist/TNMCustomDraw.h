#pragma once

#include <QColor>
#include <QRect>

#include <cstdint>

class QPainter;

// Draw stages and answers of a custom-draw notification. The numbers are the
// ones the owner-draw contract was written against, so handlers ported from it
// keep their meaning.
namespace ptcd
{
constexpr uint32_t PrePaint = 0x1;
constexpr uint32_t PostPaint = 0x2;
constexpr uint32_t PreErase = 0x3;
constexpr uint32_t PostErase = 0x4;
constexpr uint32_t ItemFlag = 0x10000;
constexpr uint32_t ItemPrePaint = ItemFlag | PrePaint;
constexpr uint32_t ItemPostPaint = ItemFlag | PostPaint;

constexpr uint32_t DoDefault = 0x0;
constexpr uint32_t NewFont = 0x2;
constexpr uint32_t SkipDefault = 0x4;
constexpr uint32_t NotifyPostPaint = 0x10;
constexpr uint32_t NotifyItemDraw = 0x20;

// Item states reported in the record.
constexpr uint32_t StateSelected = 0x1;
constexpr uint32_t StateFocus = 0x10;
constexpr uint32_t StateHot = 0x40;
} // namespace ptcd

// One custom-draw notification. The painter stands for the device context:
// its pen is the current text colour, its background the current background
// colour and its font the current font while the notification runs.
struct TNMCustomDraw {
    uint32_t dwDrawStage = 0;
    QPainter* hdc = nullptr;
    QRect rc;
    quintptr dwItemSpec = 0; // list: row; tree: the node's address
    uint32_t uItemState = 0;
    void* lItemlParam = nullptr; // the item's data
};

// The tree and list flavours carry the colours the item will be painted with.
struct TNMColorCustomDraw : TNMCustomDraw {
    QColor clrText;
    QColor clrTextBk;
};

struct TNMLvCustomDraw : TNMColorCustomDraw {
    int iSubItem = 0;
};

struct TNMTvCustomDraw : TNMColorCustomDraw {
    int iLevel = 0;
};
