#pragma once

#include "controls/treelist/TNMCustomDraw.h"
#include "controls/treelist/TPTDrawBrush.h"
#include "controls/treelist/TPTDrawFont.h"

#include <QFont>

#include <memory>

enum TPTCustomDrawStage {
    ptcdsUnknown,
    ptcdsPrePaint,
    ptcdsPostPaint,
    ptcdsPreErase,
    ptcdsItemPrePaint,
    ptcdsItemPostPaint,
    ptcdsItemPreErase,
    ptcdsItemPostErase,
};

// Handed to the drawing events of the tree and the list for one custom-draw
// notification. A handler changes Font or Brush, or sets SkipDefault, and
// Apply turns that into the answer and the record's colours, so the handler
// never touches the record itself.
class TPTCustomDraw
{
  public:
    TPTCustomDraw(TNMCustomDraw* record, const QFont& ownerFont, uint32_t* result);
    virtual ~TPTCustomDraw();
    TPTCustomDraw(const TPTCustomDraw&) = delete;
    TPTCustomDraw& operator=(const TPTCustomDraw&) = delete;

    virtual void Reset(TNMCustomDraw* record, uint32_t* result);
    virtual void Apply();

    uint32_t GetRawDrawStage() const;
    TPTCustomDrawStage GetDrawStage() const;
    QRect GetRect() const;
    QPainter* GetHandle() const;
    bool GetIsItem() const;
    QPainter* GetCanvas() const { return GetHandle(); }

    TPTDrawFont& GetFont();
    void SetFont(const TPTDrawFont& font);
    TPTDrawBrush& GetBrush();
    void SetBrush(const TPTDrawBrush& brush);

    uint32_t GetResult() const;
    void SetResult(uint32_t value);
    bool ResultSet() const { return FResultSet; }

    bool SkipDefault = false;

  protected:
    virtual std::unique_ptr<TPTDrawFont> CreateFont();
    virtual std::unique_ptr<TPTDrawBrush> CreateBrush();

    // Writes the changed font and brush into the record at the item
    // pre-paint stage; mayAnswer says whether the answer may be changed.
    void ApplyItemPrePaint(TNMColorCustomDraw& record, bool mayAnswer);
    void OrResult(uint32_t bits);

    QFont FOwnerFont;
    std::unique_ptr<TPTDrawFont> FFont;
    bool FFontChanged = false;
    std::unique_ptr<TPTDrawBrush> FBrush;
    bool FBrushChanged = false;
    bool FNotifyItemDraw = false;
    TNMCustomDraw* FRecord = nullptr;
    uint32_t* FResult = nullptr;
    bool FResultSet = false;
};
