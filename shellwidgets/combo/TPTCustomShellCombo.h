#pragma once

#include "controls/combo/TPTCustomImageCombo.h"
#include "shell/locator/TPTShellLocator.h"
#include "shell/records/IPTShellComboOwner.h"
#include "shell/shell95/IShellFolder.h"
#include "shellwidgets/combo/TPTShellComboPlace.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"

#include <QFlags>
#include <QList>

#include <memory>

class IPTLinkedShellList;
class IPTLinkedShellTree;
class TPTDeviceChangeHandler;
class TPTIdListArray;
class TPTShComboData;
struct TMessage;

// The folder combo ("Look in"): the desktop, its folders, the volumes under
// Computer and the chain of folders down to SelectedFolder, each indented by
// its depth; below a separator the user's places (user directories and the
// file dialogs' bookmarks). Choosing an entry sets SelectedFolder, which moves
// a linked shell tree or shell list along. Entries are made cheaply: only the
// selected one gets its caption and icon at once, the others when drawn.
// Every namespace entry carries a TPTShComboData record that the combo owns.
// User-interface thread only.
class TPTCustomShellCombo : public TPTCustomImageCombo,
                            public IPTShellComboOwner,
                            public IPTLinkedShellCombo
{
    Q_OBJECT

  public:
    enum TPTShellComboOption {
        ptscoAutofill = 0x1,               // fill when first shown or loaded
        ptscoNonFilesystemAncestors = 0x2, // also folders outside the file system (Trash)
    };
    Q_DECLARE_FLAGS(TPTShellComboOptions, TPTShellComboOption)

    explicit TPTCustomShellCombo(QWidget* aParent = nullptr);
    ~TPTCustomShellCombo() override;

    // Rebuilds every entry around SelectedFolder. Failures to reach the
    // desktop, Computer or a folder on the chain raise the platform error; the
    // entries made so far stay.
    void FillItems();
    // Selects the ancestor entry aLevels up; nothing on the desktop.
    void GoUp(int aLevels) override;
    void Synchronize(bool aAlsoLinked) override;
    // The end of loading: with ptscoAutofill, fills and points the partner at
    // SelectedFolder.
    void Loaded();

    TPTShellLocator& SelectedFolder() { return FSelectedFolder; }
    TPTShellLocator& GetSelectedFolder() { return FSelectedFolder; }
    void SetSelectedFolder(const TPTShellLocator* aFolder) { FSelectedFolder.Assign(aFolder); }
    void SetSelectedFolder(PCItemIDList aAbsolute) override
    {
        FSelectedFolder.SetIdList(aAbsolute);
    }
    // The record of entry aIndex; null for a separator, a place or no entry.
    TPTShComboData* GetShComboData(int aIndex) const;
    // The place of entry aIndex, null for the others.
    const TPTShellComboPlace* GetPlace(int aIndex) const;
    bool IsSeparator(int aIndex) const;

    // At most one partner: linking a list is ignored while a tree is linked
    // and the other way round. Linking links the partner back; null unlinks
    // both sides.
    IPTLinkedShellTree* ShellTree() const override { return FShellTree; }
    void SetShellTree(IPTLinkedShellTree* aTree) override;
    IPTLinkedShellList* ShellList() const override { return FShellList; }
    void SetShellList(IPTLinkedShellList* aList) override;
    void TreeChanged(TPTShTreeData* aSelectedNodeData) override;

    TPTShellComboOptions Options() const { return FOptions; }
    void SetOptions(TPTShellComboOptions aValue) { FOptions = aValue; }
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int aValue) { setMaxVisibleItems(aValue); }

    void SelEndOk() override;

  protected:
    // Adds the entries of one folder level below aFolder (the desktop at
    // aLevel -1), descending into Computer and along aChain.
    virtual void FillCombo(IShellFolder* aFolder, PCItemIDList aParentIdList,
                           TPTIdListArray& aChain, int aLevel);
    // A veto per folder; the default allows every one.
    virtual bool CanAdd(IShellFolder* aFolder, PCItemIDList aParentIdList, PCItemIDList aRelIdList,
                        std::uint32_t aAttributes);
    void GetItemData(TPTImageComboItem* aItem) override;
    void DrawItem(QPainter& aCanvas, int aIndex, const QRect& aRect,
                  TPTOwnerDrawState aState) override;
    void DeleteItem(void* aItem) override;
    void showEvent(QShowEvent* aEvent) override;

  private:
    void SelectedFolderChanged();
    void ExpandChain(IShellFolder* aParentFolder, PCItemIDList aParentIdList, PCItemIDList aChild,
                     TPTIdListArray& aChain, int aLevel);
    TPTImageComboItem* AddFolderItem(IShellFolder* aFolder, PCItemIDList aParentIdList,
                                     PCItemIDList aRelIdList, std::uint32_t aAttributes,
                                     int aIndent, bool aSelected, std::uint32_t aNameFlags);
    void AddPlaces();
    void ChoosePlace(const TPTShellComboPlace& aPlace);
    void DeviceChangeDetected(const TMessage& aMessage);
    // Every entry goes through DeleteItem, so every record is freed. The
    // destructor calls it: a base class destructor cannot reach DeleteItem.
    void DeleteAllItems();

    int FFillGuard = 0;
    IPTLinkedShellTree* FShellTree = nullptr;
    IPTLinkedShellList* FShellList = nullptr;
    TPTShellLocator FSelectedFolder;
    TPTShellComboOptions FOptions = {ptscoAutofill, ptscoNonFilesystemAncestors};
    QList<TPTShellComboPlace> FPlaces;
    int FFirstPlaceIndex = -1; // entry of FPlaces[0]; the separator is just above
    bool FChainShown = false;  // the last fill found SelectedFolder's entry
    int FSelectedEntry = -1;   // the entry of SelectedFolder, or the desktop's
    int FFillCount = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPTCustomShellCombo::TPTShellComboOptions)
