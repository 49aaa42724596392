#pragma once

#include "controls/combo/TPTCustomCombobox.h"
#include "controls/combo/TPTImageComboItem.h"
#include "controls/images/TPTImageListLink.h"

#include <QSet>

#include <functional>

class QPainter;

// An owner-drawn combo whose entries are TPTImageComboItem objects with caption,
// image, overlay and indent. The same drawing serves the drop-down list (with
// the indent) and the edit part (without it). Entries are drop-down-list only:
// the combo is never editable. Only called on the user-interface thread.
//
// It overrides DeleteItem, so it keeps the teardown rule of TPTCustomCombobox:
// its destructor calls DestroyItems(), and so does the destructor of a class
// derived from it that overrides DeleteItem (the folder combo, which frees
// its per-item records there).
class TPTCustomImageCombo : public TPTCustomCombobox
{
    Q_OBJECT

  public:
    // The owner-draw state of an entry.
    enum TPTOwnerDrawFlag : unsigned {
        odSelected = 0x0001,
        odFocus = 0x0010,
        odComboBoxEdit = 0x1000, // drawn in the edit part, not in the drop-down
    };
    using TPTOwnerDrawState = unsigned;

    using TPTDeleteImageComboItemEvent =
        std::function<void(QObject* aSender, TPTImageComboItem* aItem)>;
    using TPTImageComboGetItemDataEvent =
        std::function<void(QObject* aSender, TPTImageComboItem* aItem)>;
    using TPTDrawItemEvent = std::function<void(QObject* aSender, QPainter& aCanvas, int aIndex,
                                                const QRect& aRect, TPTOwnerDrawState aState)>;

    explicit TPTCustomImageCombo(QWidget* aParent = nullptr);
    ~TPTCustomImageCombo() override;

    // Adds an entry with an empty text and the new item as its object; the combo
    // owns the item and frees it when the entry is removed.
    TPTImageComboItem* AddItem(const QString& aCaption, int aImageIndex, int aIndent);
    TPTImageComboItem* GetImageComboItem(int aIndex) const;

    bool AutoSizeHeight() const { return FAutoSizeHeight; }
    void SetAutoSizeHeight(bool aValue);
    // Not owned; the combo forgets a list that is destroyed.
    TPTImageList* ImageList() const { return FImageList.Get(); }
    void SetImageList(TPTImageList* aValue);
    int IndentPixels() const { return FIndentPixels; }
    void SetIndentPixels(int aValue);
    int ItemHeight() const { return FItemHeight; }
    // Sets the height of every entry; the entries stay.
    void SetItemHeight2(int aValue);
    // The entries' background (the palette's base colour).
    QColor Color() const;

    // Draws entry aIndex into aRect: the highlight colours for a selected entry,
    // only the background for an index below 0, otherwise DrawItem.
    void PaintItem(QPainter& aCanvas, int aIndex, const QRect& aRect, TPTOwnerDrawState aState);

    // Repaints the edit part and the drop-down.
    void Invalidate();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    TPTDeleteImageComboItemEvent OnDeleteItem;
    TPTImageComboGetItemDataEvent OnGetItemData;
    TPTDrawItemEvent OnDrawItem;

  protected:
    // Raises the entry height to fit the font (text height + 2) and the images.
    virtual void AutoSize(const QFont& aFont);
    // Asked before an entry is drawn, so that its owner can complete it.
    virtual void GetItemData(TPTImageComboItem* aItem);
    virtual void DrawItem(QPainter& aCanvas, int aIndex, const QRect& aRect,
                          TPTOwnerDrawState aState);
    void DeleteItem(void* aItem) override;

    void paintEvent(QPaintEvent* aEvent) override;
    void changeEvent(QEvent* aEvent) override;

  private:
    bool FAutoSizeHeight = true;
    TPTImageListLink FImageList;
    int FIndentPixels = 12;
    int FItemHeight = 0;
    bool FFontChanging = false;
    // The items this combo created: only those are freed on removal, so an
    // object added through AddObject is reported, never deleted.
    QSet<TPTImageComboItem*> FOwnedItems;
};
