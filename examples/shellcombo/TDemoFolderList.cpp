#include "TDemoFolderList.h"

#include "platform/EPlatformError.h"
#include "shell/PTEventGuard.h"
#include "shell/UPTShellUtils.h"
#include "shellwidgets/links/IPTLinkedShellCombo.h"

#include <QScopeGuard>

TDemoFolderList::TDemoFolderList(QWidget* aParent)
    : QListWidget(aParent), FFolder([this](TPTShellLocator*) { FolderChanged(); })
{
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* aItem) { PTEventGuard([&] { Open(aItem); }); });
}

void TDemoFolderList::FolderChanged()
{
    if (FSyncLock <= 0 && FCombo) {
        ++FSyncLock;
        const auto done = qScopeGuard([this] { --FSyncLock; });
        FCombo->SelectedFolder().Assign(&FFolder);
    }
    Fill();
}

void TDemoFolderList::Fill()
{
    clear();
    TComPtr<IShellFolder> folder;
    CheckResult(ShellGetFolderFromIdList(FFolder.GetIdList(), folder.put()));
    TComPtr<IEnumIDList> items;
    CheckResult(folder->EnumObjects(this, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.put()));
    TShellImageList* images = ShellGetSystemImageList(ptsizSmall);
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (items && items->Next(1, &item, &fetched) == S_OK) {
        TIdListPtr relative(item);
        TIdListPtr absolute(ConcatIdLists(nullptr, FFolder.GetIdList(), relative.get()));
        auto* entry = new QListWidgetItem(
            ShellGetFriendlyNameFromIdList(folder.get(), relative.get(), ptfnInFolder), this);
        entry->setIcon(images->Pixmap(ShellGetIconIndex(absolute.get(), SHGFI_SMALLICON)));
        entry->setData(Qt::UserRole, IdListToBytes(absolute.get()));
    }
    sortItems();
}

void TDemoFolderList::Open(QListWidgetItem* aItem)
{
    TIdListPtr absolute(IdListFromBytes(nullptr, aItem->data(Qt::UserRole).toByteArray()));
    TComPtr<IShellFolder> folder;
    if (!absolute || Failed(ShellGetFolderFromIdList(absolute.get(), folder.put())))
        return;
    // A linked list navigates through the combo; the combo moves it along.
    if (FCombo)
        FCombo->SelectedFolder().SetIdList(absolute.get());
    else
        FFolder.SetIdList(absolute.get());
}
