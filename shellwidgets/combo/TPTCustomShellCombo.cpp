#include "shellwidgets/combo/TPTCustomShellCombo.h"

#include "platform/EPlatformError.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/PTEventGuard.h"
#include "shell/icons/SystemIcons.h"
#include "shell/namespace/Desktop.h"
#include "shell/records/TPTShComboData.h"
#include "shell/records/TPTShTreeData.h"
#include "shell/shell95/IEnumIDList.h"
#include "shell/shell95/ShellConstants.h"
#include "shell/utils/DriveInfoCache.h"
#include "shell/utils/IdList.h"
#include "shell/utils/ShellServices.h"
#include "shell/utils/StrRet.h"
#include "shell/utils/TIdListPtr.h"
#include "shell/utils/TPTDeviceChangeHandler.h"
#include "shell/utils/TPTIdListArray.h"
#include "shellwidgets/TPTCounterLock.h"
#include "shellwidgets/combo/ShellComboPlaces.h"
#include "shellwidgets/combo/SortPidls.h"
#include "shellwidgets/images/TPTSystemImageList.h"
#include "shellwidgets/links/IPTLinkedShellList.h"
#include "shellwidgets/links/IPTLinkedShellTree.h"
#include "shellwidgets/links/PTSetLink.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QPainter>
#include <QScopeGuard>
#include <QStandardItemModel>

#include <utility>
#include <vector>

namespace
{

// What the entries use of a folder's attributes: the file-system filter and
// the share and link overlays. Has-subfolder is left out on purpose: it reads
// the folder, which on a hung network volume would hold the user-interface
// thread.
constexpr std::uint32_t kEntryAttributes =
    SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_SHARE | SFGAO_LINK;

std::uint32_t attributesOf(IShellFolder* folder, PCItemIDList relIdList)
{
    std::uint32_t attributes = kEntryAttributes;
    // A failed query claims nothing, not the whole request.
    if (Failed(folder->GetAttributesOf(1, &relIdList, &attributes)))
        return 0;
    return attributes;
}

QString displayNameOf(IShellFolder* folder, PCItemIDList relIdList, std::uint32_t flags)
{
    TStrRet name;
    if (Failed(folder->GetDisplayNameOf(relIdList, flags, &name)))
        return QString();
    const QString text = StrretToString(relIdList, name);
    StrretFree(name);
    // A caption is for display: bytes that are not UTF-8 show as U+FFFD.
    return FileNameForDisplay(FileNameFromString(text));
}

bool sameItem(IShellFolder* folder, PCItemIDList a, PCItemIDList b)
{
    const HRESULT hr = folder->CompareIDs(0, a, b);
    return Succeeded(hr) && ShortFromResult(hr) == 0;
}

std::vector<TIdListPtr> subfoldersOf(QWidget* owner, IShellFolder* folder)
{
    TComPtr<IEnumIDList> items;
    CheckResult(folder->EnumObjects(owner, SHCONTF_FOLDERS, items.put()));
    std::vector<TIdListPtr> children;
    if (!items)
        return children;
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK)
        children.emplace_back(item);
    return children;
}

} // namespace

TPTCustomShellCombo::TPTCustomShellCombo(QWidget* aParent)
    : TPTCustomImageCombo(aParent),
      FSelectedFolder([this](TPTShellLocator*) { SelectedFolderChanged(); })
{
    InstallShellWidgetPresenters();
    SetImageList(TPTSystemImageList::Get(ptsizSmall));
    PTDeviceChangeHandler()->Add(this, [this](TPTDeviceChangeHandler*, const TMessage& aMessage) {
        DeviceChangeDetected(aMessage);
    });
}

TPTCustomShellCombo::~TPTCustomShellCombo()
{
    PTDeviceChangeHandler()->Remove(this);
    SetShellTree(nullptr);
    SetShellList(nullptr);
    // The teardown rule: every record passes through this class's DeleteItem.
    DestroyItems();
    DeleteAllItems();
}

void TPTCustomShellCombo::DeleteAllItems()
{
    TPTCounterLock guard(FFillGuard);
    clear();
    FPlaces.clear();
    FFirstPlaceIndex = -1;
    FSelectedEntry = -1;
    FChainShown = false;
}

void TPTCustomShellCombo::DeleteItem(void* aItem)
{
    // Every entry of this combo is made by AddItem.
    auto* item = static_cast<TPTImageComboItem*>(aItem);
    auto* data = static_cast<TPTShComboData*>(item->Data());
    TPTCustomImageCombo::DeleteItem(aItem);
    delete data;
}

TPTShComboData* TPTCustomShellCombo::GetShComboData(int aIndex) const
{
    const TPTImageComboItem* item = GetImageComboItem(aIndex);
    return item ? static_cast<TPTShComboData*>(item->Data()) : nullptr;
}

const TPTShellComboPlace* TPTCustomShellCombo::GetPlace(int aIndex) const
{
    if (FFirstPlaceIndex < 0 || aIndex < FFirstPlaceIndex ||
        aIndex - FFirstPlaceIndex >= FPlaces.size())
        return nullptr;
    return &FPlaces[aIndex - FFirstPlaceIndex];
}

bool TPTCustomShellCombo::IsSeparator(int aIndex) const
{
    return FFirstPlaceIndex > 0 && aIndex == FFirstPlaceIndex - 1;
}

void TPTCustomShellCombo::FillItems()
{
    TPTCounterLock guard(FFillGuard);
    const auto done = qScopeGuard([this] { setUpdatesEnabled(true); });
    setUpdatesEnabled(false);
    DeleteAllItems();
    ++FFillCount;

    TPTIdListArray chain(FSelectedFolder.GetIdList());
    TComPtr<IShellFolder> desktop;
    CheckResult(SHGetDesktopFolder(desktop.put()));
    FillCombo(desktop.get(), nullptr, chain, -1);
    if (!FChainShown)
        FSelectedEntry = 0;
    setCurrentIndex(FSelectedEntry);
    AddPlaces();
}

void TPTCustomShellCombo::FillCombo(IShellFolder* aFolder, PCItemIDList aParentIdList,
                                    TPTIdListArray& aChain, int aLevel)
{
    TIdListPtr drives;
    CheckResult(SHGetSpecialFolderLocation(window(), csidlDrives, drives.put()));

    if (aLevel < 0) {
        TIdListPtr desktopList(CopyIdList(nullptr, nullptr));
        TPTImageComboItem* item =
            AddItem(ShellGetFriendlyNameFromIdList(aFolder, desktopList.get(), ptfnNormal),
                    ShellGetIconIndex(desktopList.get(), SHGFI_SMALLICON), 0);
        auto* data = new TPTShComboData(this);
        data->SetData(aFolder, nullptr, nullptr);
        item->SetData(data);
        aLevel = 1;
        aParentIdList = nullptr;
    }

    // The chain is looked for only below its own ancestor: the volumes under
    // Computer are matched only when the chain runs through Computer.
    bool matchChain = aChain.GetCount() >= aLevel;
    if (matchChain && aLevel > 1)
        matchChain =
            CompareAbsIdLists(aParentIdList, aChain.GoUp(aChain.GetCount() - (aLevel - 1))) == 0;

    std::vector<TIdListPtr> children = subfoldersOf(window(), aFolder);
    SortPidls(aFolder, children);
    for (const TIdListPtr& child : children) {
        const std::uint32_t attributes = attributesOf(aFolder, child.get());
        if (!(FOptions & ptscoNonFilesystemAncestors) &&
            !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
            continue;
        if (!CanAdd(aFolder, aParentIdList, child.get(), attributes))
            continue;
        TIdListPtr absolute(ConcatIdLists(nullptr, aParentIdList, child.get()));
        const bool onChain =
            matchChain && sameItem(aFolder, aChain.GetItem(aLevel - 1), child.get());
        const bool selected = onChain && aChain.GetCount() == aLevel;
        AddFolderItem(aFolder, aParentIdList, child.get(), attributes, aLevel, selected,
                      SHGDN_INFOLDER);
        const bool isDrives = aLevel == 1 && CompareAbsIdLists(absolute.get(), drives.get()) == 0;
        if (onChain) {
            matchChain = false;
            if (selected) {
                FSelectedEntry = count() - 1;
                FChainShown = true;
            } else if (!isDrives) {
                ExpandChain(aFolder, aParentIdList, child.get(), aChain, aLevel);
            }
        }
        if (isDrives) {
            TComPtr<IShellFolder> computer;
            CheckResult(
                aFolder->BindToObject(child.get(), nullptr, IID_IShellFolder, computer.putVoid()));
            FillCombo(computer.get(), absolute.get(), aChain, 2);
        }
    }
}

void TPTCustomShellCombo::ExpandChain(IShellFolder* aParentFolder, PCItemIDList aParentIdList,
                                      PCItemIDList aChild, TPTIdListArray& aChain, int aLevel)
{
    TComPtr<IShellFolder> current;
    CheckResult(aParentFolder->BindToObject(aChild, nullptr, IID_IShellFolder, current.putVoid()));
    TIdListPtr base(ConcatIdLists(nullptr, aParentIdList, aChild));
    const int last = aChain.GetCount() - 1;
    for (int i = aLevel; i <= last; ++i) {
        TIdListPtr element(CopyIdList(nullptr, aChain.GetItem(i)));
        const std::uint32_t attributes = attributesOf(current.get(), element.get());
        AddFolderItem(current.get(), base.get(), element.get(), attributes, i + 1, i == last,
                      SHGDN_INFOLDER | SHGDN_FORADDRESSBAR);
        if (i == last)
            break;
        TComPtr<IShellFolder> next;
        CheckResult(
            current->BindToObject(element.get(), nullptr, IID_IShellFolder, next.putVoid()));
        current = next;
        base.reset(ConcatIdLists(nullptr, base.get(), element.get()));
    }
    FSelectedEntry = count() - 1;
    FChainShown = true;
}

TPTImageComboItem* TPTCustomShellCombo::AddFolderItem(IShellFolder* aFolder,
                                                      PCItemIDList aParentIdList,
                                                      PCItemIDList aRelIdList,
                                                      std::uint32_t aAttributes, int aIndent,
                                                      bool aSelected, std::uint32_t aNameFlags)
{
    QString caption;
    int image = -1;
    if (aSelected) {
        TIdListPtr absolute(ConcatIdLists(nullptr, aParentIdList, aRelIdList));
        caption = displayNameOf(aFolder, aRelIdList, aNameFlags);
        image = ShellGetIconIndex(absolute.get(), SHGFI_SMALLICON | SHGFI_OPENICON);
    }
    TPTImageComboItem* item = AddItem(caption, image, aIndent);
    auto* data = new TPTShComboData(this);
    item->SetData(data);
    data->SetData(aFolder, aParentIdList, aRelIdList);
    if (aAttributes & SFGAO_SHARE)
        item->SetOverlayIndex(0);
    else if (aAttributes & SFGAO_LINK)
        item->SetOverlayIndex(1);
    return item;
}

void TPTCustomShellCombo::AddPlaces()
{
    const QList<TPTShellComboPlace> places = ReadShellComboPlaces(CurrentMountTable());
    if (places.isEmpty())
        return;
    TPTImageComboItem* separator = AddItem(QString(), -1, 0);
    // Neither chosen nor stepped on with the keys.
    if (auto* items = qobject_cast<QStandardItemModel*>(model()))
        items->item(separator->Index())->setFlags(Qt::NoItemFlags);
    FFirstPlaceIndex = count();
    FPlaces = places;
    for (const TPTShellComboPlace& place : places)
        AddItem(place.Caption, SystemIconIndex(place.IconName, QStringLiteral("folder")), 1);
}

bool TPTCustomShellCombo::CanAdd(IShellFolder*, PCItemIDList, PCItemIDList, std::uint32_t)
{
    return true;
}

void TPTCustomShellCombo::GetItemData(TPTImageComboItem* aItem)
{
    PTEventGuard([&] {
        TPTCustomImageCombo::GetItemData(aItem);
        auto* data = static_cast<TPTShComboData*>(aItem->Data());
        if (!data)
            return;
        // Only a found value is stored: storing an empty caption again would
        // repaint the entry, which asks again, for ever.
        if (aItem->Caption().isEmpty() && data->ParentFolder() &&
            !IdListIsEmpty(data->RelIdList())) {
            const QString caption =
                displayNameOf(data->ParentFolder(), data->RelIdList(), SHGDN_INFOLDER);
            if (!caption.isEmpty())
                aItem->SetCaption(caption);
        }
        if (aItem->ImageIndex() == -1)
            aItem->SetImageIndex(ShellGetIconIndex(data->AbsIdList(), SHGFI_SMALLICON));
    });
}

void TPTCustomShellCombo::DrawItem(QPainter& aCanvas, int aIndex, const QRect& aRect,
                                   TPTOwnerDrawState aState)
{
    if (!IsSeparator(aIndex)) {
        TPTCustomImageCombo::DrawItem(aCanvas, aIndex, aRect, aState);
        return;
    }
    aCanvas.fillRect(aRect, Color());
    const int y = aRect.center().y();
    aCanvas.fillRect(QRect(aRect.left() + 2, y, aRect.width() - 4, 1),
                     palette().color(QPalette::Mid));
}

void TPTCustomShellCombo::SelEndOk()
{
    PTEventGuard([this] {
        TPTCustomImageCombo::SelEndOk();
        const int fills = FFillCount;
        // However it ends, the edit part shows the selected folder again.
        const auto restore = qScopeGuard([this, fills] {
            if (FFillCount == fills && FSelectedEntry >= 0 && FSelectedEntry < count())
                setCurrentIndex(FSelectedEntry);
        });
        const int index = currentIndex();
        if (const TPTShellComboPlace* place = GetPlace(index))
            ChoosePlace(*place);
        else if (TPTShComboData* data = GetShComboData(index))
            FSelectedFolder.SetIdList(data->AbsIdList());
    });
}

void TPTCustomShellCombo::ChoosePlace(const TPTShellComboPlace& aPlace)
{
    // Copied: a refill replaces the places.
    const QByteArray path = aPlace.Path;
    TIdListPtr list;
    const HRESULT hr = ShellGetIdListFromPath(FileNameToString(path), list.put());
    if (Failed(hr))
        throw EPlatformError(hr, FileNameForDisplay(path) + QStringLiteral("\n\n") +
                                     ResultCodeText(hr));
    FSelectedFolder.SetIdList(list.get());
}

void TPTCustomShellCombo::TreeChanged(TPTShTreeData* aSelectedNodeData)
{
    if (aSelectedNodeData)
        FSelectedFolder.SetIdList(aSelectedNodeData->GetAbsPidl());
}

void TPTCustomShellCombo::SelectedFolderChanged()
{
    if (FFillGuard > 0)
        return;
    TPTCounterLock guard(FFillGuard);
    if (FShellTree)
        FShellTree->SetSelectedFolder(FSelectedFolder.GetIdList());
    else if (FShellList)
        FShellList->SetFolder(FSelectedFolder.GetIdList());
    FillItems();
}

void TPTCustomShellCombo::GoUp(int aLevels)
{
    const int selected = currentIndex();
    const TPTImageComboItem* item = GetImageComboItem(selected);
    if (!item || !GetShComboData(selected))
        return;
    const int floor = item->Indent() - aLevels + 1;
    int index = selected;
    while (index > 0 && GetImageComboItem(index)->Indent() >= floor)
        --index;
    if (index != selected)
        if (TPTShComboData* data = GetShComboData(index))
            FSelectedFolder.SetIdList(data->AbsIdList());
}

void TPTCustomShellCombo::Synchronize(bool aAlsoLinked)
{
    if (!aAlsoLinked)
        return;
    if (FShellTree)
        FShellTree->Synchronize(false);
    if (FShellList)
        FShellList->Synchronize(false);
}

void TPTCustomShellCombo::Loaded()
{
    if (!(FOptions & ptscoAutofill))
        return;
    TPTCounterLock guard(FFillGuard);
    FillItems();
    if (FShellTree) {
        FShellTree->SetSelectedFolder(FSelectedFolder.GetIdList());
        FShellTree->RefreshNodes();
    } else if (FShellList) {
        FShellList->SetFolder(FSelectedFolder.GetIdList());
    }
}

void TPTCustomShellCombo::SetShellTree(IPTLinkedShellTree* aTree)
{
    if (aTree && FShellList)
        return;
    PTSetLink<IPTLinkedShellCombo>(FShellTree, aTree, this, &IPTLinkedShellTree::SetShellCombo,
                                   &IPTLinkedShellTree::ShellCombo);
}

void TPTCustomShellCombo::SetShellList(IPTLinkedShellList* aList)
{
    if (aList && FShellTree)
        return;
    PTSetLink<IPTLinkedShellCombo>(FShellList, aList, this, &IPTLinkedShellList::SetShellCombo,
                                   &IPTLinkedShellList::ShellCombo);
}

void TPTCustomShellCombo::showEvent(QShowEvent* aEvent)
{
    TPTCustomImageCombo::showEvent(aEvent);
    if ((FOptions & ptscoAutofill) && count() == 0)
        PTEventGuard([this] { FillItems(); });
}

void TPTCustomShellCombo::DeviceChangeDetected(const TMessage& aMessage)
{
    if (aMessage.WParam != DBT_DEVICEARRIVAL && aMessage.WParam != DBT_DEVICEREMOVECOMPLETE)
        return;
    if (count() == 0)
        return;
    PTEventGuard([this] {
        FlushDriveInfoCache();
        LockFlushDriveInfoCache();
        const auto unlock = qScopeGuard([] { UnlockFlushDriveInfoCache(); });
        FillItems();
        if (FChainShown)
            return;
        // The volume of the shown folder went away: show Computer instead
        // of a folder that is no longer there.
        TIdListPtr drives;
        CheckResult(SHGetSpecialFolderLocation(window(), csidlDrives, drives.put()));
        TPTIdListArray chain(FSelectedFolder.GetIdList());
        if (chain.GetCount() > 1 &&
            CompareAbsIdLists(chain.GoUp(chain.GetCount() - 1), drives.get()) == 0)
            FSelectedFolder.SetIdList(drives.get());
    });
}
