#pragma once

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

enum TPTLvSortDirection { ptsdAsc = 0, ptsdDesc = 1 };

enum TPTLvHeaderSortDisplayMode {
    ptlvNone = 0,
    ptlvLeftAlign = 1,
    ptlvRightOfText = 2,
    ptlvRightAlign = 3
};

// Which part of an item a rectangle is asked for.
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };

// Header item format bits kept per column (justification, string, owner draw).
namespace pthdf
{
constexpr unsigned Left = 0x0;
constexpr unsigned Right = 0x1;
constexpr unsigned Center = 0x2;
constexpr unsigned JustifyMask = 0x3;
constexpr unsigned String = 0x4000;
constexpr unsigned OwnerDraw = 0x8000;
} // namespace pthdf
