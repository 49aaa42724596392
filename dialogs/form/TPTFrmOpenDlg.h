#pragma once

#include "dialogs/components/IPTFrmOpenDlg.h"
#include "dialogs/filename/IPTFileNameForm.h"
#include "dialogs/filename/TPTFileNameConfirmation.h"
#include "dialogs/filename/TPosixPathSyntax.h"

#include <QDialog>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSizeGrip;
class QToolButton;
class TPTCombobox;
class TPTFormControlLinks;
class TPTGroup;
class TPTShellCombo;
class TPTShellList;
class TPTShellTree;
class TPTSplitter;

// The Open/Save dialog form: the folder combo ("Look in"), a toolbar, the
// folder tree and the file list side by side in a splitter, the file-name and
// file-type boxes and the buttons. The dialog components make one per
// Execute (IPTFrmOpenDlg); confirming the file-name box is
// TPTFileNameConfirmation's work, which reaches the form as IPTFileNameForm.
//
// Shown is false while the components configure the form and until it has
// finished showing: the handlers that raise the owner's events do nothing
// before, so configuring fires none. Every Qt handler runs its body through
// PTEventGuard. User-interface thread only.
class TPTFrmOpenDlg : public QDialog, public IPTFrmOpenDlg, public IPTFileNameForm
{
    Q_OBJECT

  public:
    explicit TPTFrmOpenDlg(QWidget* aParent = nullptr);
    ~TPTFrmOpenDlg() override;

    // IPTFrmOpenDlg
    void SetOnAddListItem(TPTShAddItemEvent event) override;
    void SetOnAddTreeItem(TPTShAddItemEvent event) override;
    void SetOnAddComboItem(TPTShAddItemEvent) override {}
    void SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent event) override;
    void SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent event) override;
    void SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent event) override;
    void SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent event) override;
    void SetOnFormShow(TNotifyEvent event) override { OnFormShow = std::move(event); }
    void SetOnFormClose(TNotifyEvent event) override { OnFormClose = std::move(event); }
    void SetOnFolderChanged(TNotifyEvent event) override { OnFolderChanged = std::move(event); }
    void SetOnSelectionChanged(TNotifyEvent event) override
    {
        OnSelectionChanged = std::move(event);
    }
    void SetOnTypeChanged(TNotifyEvent event) override { OnTypeChanged = std::move(event); }
    void SetOnHelp(THelpEvent event) override { OnHelp = std::move(event); }
    void SetInitialDir(const QString& dir) override;
    void SetFilename(const QString& name) override;
    QString GetFilename() const override;
    QStringList GetFiles() const override;
    void SetDefaultExt(const QString& ext) override { FDefaultExt = ext; }
    void SetOptions(TPTOpenOptions options) override;
    TPTOpenOptions Options() const override { return FOptions; }
    void SetFilter(const QString& filter) override;
    void SetFilterIndex(int index) override;
    int GetFilterIndex() const override;
    void SetFormSplitterPos(int position) override;
    int GetFormSplitterPos() const override;
    void SetCaption(const QString& text) override;
    void SetOpenBtnCaption(const QString& text) override;
    void SetLookInTxtCaption(const QString& text) override;
    void SetFilesOfTypeTxtCaption(const QString& text) override;
    void SetHelpContext(int context) override { FHelpContext = context; }
    void SetFormWidth(int width) override;
    void SetFormHeight(int height) override;
    QSize GetFormRestoredSize() const override;
    void SetFormWindowState(TWindowState state) override;
    TWindowState GetFormWindowState() const override;
    int ShowModal() override;

    // IPTFileNameForm
    QString ShownFolderPath() const override;
    void OpenFolder(PCItemIDList absoluteIdList) override;
    void ApplyUserFilter(const QString& pattern) override;
    int ListItemCount() const override;
    QString ListItemCaption(int index) const override;
    QString ListItemPath(int index) const override;
    int SelectedListItem() const override;
    void SelectAndFocusListItem(int index) override;
    QString FileNameText() const override;
    void SetFileNameText(const QString& text) override;
    void SelectAllFileNameText() override;
    QString DefaultExt() const override { return FDefaultExt; }
    QString SelectedFileTypePattern() const override;
    TPTMsgButton ShowMessage(const TPTMessageBoxRequest& request) override;

    // Shows or hides the folder tree (also the Show Tree button and F12).
    void ShowTree(bool show);
    bool Shown() const { return FShown; }
    QString UserFilter() const { return FUserFilter; }
    TPTFrmOpenDlg_LIS LastInputSource() const { return FConfirmation.LastInputSource; }

    // The controls, named as the design names them, for the form's owner and tests.
    QLabel* LookInTxt;
    TPTShellCombo* PTShellCombo1;
    QToolButton* UpOneLevelBtn;
    QToolButton* ShowDesktopBtn;
    QToolButton* CreateNewFolderBtn;
    QToolButton* ShowTreeBtn;
    QToolButton* ListBtn;
    QToolButton* DetailsBtn;
    TPTGroup* SplitterContainer;
    TPTSplitter* PTSplitter1;
    TPTShellTree* PTShellTree1;
    TPTShellList* PTShellList1;
    QWidget* Panel1;
    QLabel* FileNameTxt;
    QLabel* FilesOfTypeTxt;
    QLineEdit* FileNameEdt;
    QComboBox* FileNameCbx;
    TPTCombobox* FileTypesCbx;
    QCheckBox* ReadOnlyChk;
    QPushButton* OpenBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    QSizeGrip* SizeGrip;
    QMenu* LvPopup;
    QAction* View1Mitm;
    QAction* LargeIcons1Mitm;
    QAction* Smallicons1MItm;
    QAction* List1Mitm;
    QAction* Details1Mitm;
    QAction* Paste1Mitm;
    QAction* New1Mitm;
    QAction* Folder1Mitm;
    QAction* Properties1Mitm;

  public slots:
    void done(int result) override;

  protected:
    virtual void DoOnFormClose();
    virtual void DoOnFolderChanged();
    virtual void DoOnSelectionChanged();
    virtual void DoOnFormShow();
    virtual void DoOnTypeChanged();
    // Texts from the string table, then the edits moved right of their labels.
    virtual void DoTranslation();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateToolbar();
    void CreateBottomPanel();
    void CreatePopupMenu();
    // Joins combo, tree and list; the one place that names their links.
    void LinkControls();
    void PlaceControls();
    void DoShow();
    void ChooseFirstFolder();
    void FitBottomPanel();

    // Handlers.
    void FormKeyDown(QKeyEvent* event, bool& handled);
    void RefreshControls();
    void ViewBtnClick(int tag);
    void FileTypesCbxSelEndOk();
    void PTShellList1Change();
    void PTShellList1FolderChanged();
    void PTShellTree1Change();
    void UpOneLevelBtnClick();
    void ShowDesktopBtnClick();
    void CreateNewFolderBtnClick();
    void ReadOnlyChkClick();
    void HelpBtnClick();

    TNotifyEvent OnTypeChanged;
    TNotifyEvent OnFolderChanged;
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;
    THelpEvent OnHelp;

    QString FDefaultExt;
    TPTOpenOptions FOptions;
    QString FFilter;
    QString FInitialDir;
    QString FUserFilter;
    bool FShown = false;
    int FHelpContext = 0;
    double FScale = 1.0;
    // The file types' patterns, in the order of FileTypesCbx's items.
    QStringList FFileTypePatterns;
    TPosixPathSyntax FPathSyntax;
    TPTFileNameConfirmation FConfirmation;
    std::unique_ptr<TPTFormControlLinks> FLinks;
};
