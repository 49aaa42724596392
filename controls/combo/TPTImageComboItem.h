#pragma once

#include <QString>

class TPTCustomImageCombo;

// One entry of an image combo, owned by the combo through the entry's object
// slot: freed when the entry is removed. Data is the user's reference and is
// never freed by the item.
class TPTImageComboItem
{
  public:
    explicit TPTImageComboItem(TPTCustomImageCombo* aCombo);
    ~TPTImageComboItem();
    TPTImageComboItem(const TPTImageComboItem&) = delete;
    TPTImageComboItem& operator=(const TPTImageComboItem&) = delete;

    // Items alive in the process, so tests can see that combos free theirs.
    static int LiveCount();

    TPTCustomImageCombo* Combo() const { return FCombo; }
    // The index the entry had when it was added.
    int Index() const { return FIndex; }
    void SetIndex(int aValue) { FIndex = aValue; }

    int Indent() const { return FIndent; }
    void SetIndent(int aValue);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int aValue);
    // -1: no overlay.
    int OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int aValue);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& aValue);
    void* Data() const { return FData; }
    void SetData(void* aValue) { FData = aValue; }

  private:
    void Invalidate();

    TPTCustomImageCombo* FCombo;
    int FIndex = -1;
    int FIndent = 0;
    int FImageIndex = -1;
    int FOverlayIndex = -1;
    QString FCaption;
    void* FData = nullptr;
};
