#pragma once

#include "shell/locator/TPTShellLocator.h"
#include "shellwidgets/links/IPTLinkedShellList.h"

#include <QListWidget>

// A plain stand-in for the shell list in the combo demo: the folders and
// files of Folder, a double-click opens a folder. Linked to a combo, it
// navigates through the combo and follows it, with the shell list's rules.
class TDemoFolderList : public QListWidget, public IPTLinkedShellList
{
  public:
    explicit TDemoFolderList(QWidget* aParent = nullptr);

    QObject* LinkObject() override { return this; }
    void SetShellCombo(IPTLinkedShellCombo* aCombo) override { FCombo = aCombo; }
    void SetFolder(const TPTShellLocator& aFolder) override { FFolder.Assign(&aFolder); }
    void Synchronize(bool) override {}

  private:
    void FolderChanged();
    void Fill();
    void Open(QListWidgetItem* aItem);

    TPTShellLocator FFolder;
    IPTLinkedShellCombo* FCombo = nullptr;
    int FSyncLock = 0;
};
