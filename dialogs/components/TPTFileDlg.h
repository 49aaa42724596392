#pragma once

#include "dialogs/TPTOpenOptions.h"
#include "dialogs/components/IPTFrmOpenDlg.h"
#include "dialogs/components/TPTDialog.h"

#include <QString>
#include <QStringList>

#include <memory>

// What the Open and Save components share: options, file types, names and
// the events handed on to the form and its shell controls. Each Execute
// makes a form through the factory (a new component starts with
// PTDefaultFrmOpenDlgFactory), configures it (InitForm), shows it modally,
// copies the user's choices and the form's geometry back (SaveFormSettings,
// also after Cancel) and deletes it. While the form exists, the setters
// named below reach it as well. User-interface thread only.
class TPTFileDlg : public TPTDialog
{
    Q_OBJECT
  public:
    explicit TPTFileDlg(QObject* aOwner = nullptr);
    ~TPTFileDlg() override;

    // While the form exists: the form's; otherwise the first of Files, or
    // empty.
    QString GetFilename() const;
    // Files becomes the one name; also put into the form's file-name box
    // while the form exists.
    void SetFilename(const QString& name);
    // The names; after a confirmed Execute every accepted full path, in the
    // order the user gave them. Names that are not UTF-8 are kept in the
    // lossless form of platform/FileNameCodec.h throughout.
    const QStringList& Files() const { return FFiles; }

    TPTOpenOptions Options() const { return FOptions; }
    void SetOptions(TPTOpenOptions options); // reaches the form
    // "description|pattern|description|pattern"
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& filter); // reaches the form
    // 1-based. While the form exists: the form's (0 when it has no types).
    int GetFilterIndex() const;
    void SetFilterIndex(int index); // reaches the form
    // Width of the folder-tree pane; negative means not set.
    int FormSplitterPos() const { return FFormSplitterPos; }
    void SetFormSplitterPos(int position); // reaches the form

    // Kept for the owner; the form does not show it.
    const QStringList& HistoryList() const { return FHistoryList; }
    void SetHistoryList(const QStringList& list) { FHistoryList = list; }

    // Filters on the items the list and the tree add; reach the form. The
    // folder combo has no such hook, so OnAddComboItem is only kept.
    const TPTShAddItemEvent& OnAddListItem() const { return FOnAddListItem; }
    void SetOnAddListItem(TPTShAddItemEvent event);
    const TPTShAddItemEvent& OnAddTreeItem() const { return FOnAddTreeItem; }
    void SetOnAddTreeItem(TPTShAddItemEvent event);
    const TPTShAddItemEvent& OnAddComboItem() const { return FOnAddComboItem; }
    void SetOnAddComboItem(TPTShAddItemEvent event) { FOnAddComboItem = std::move(event); }

    // The form while Execute runs, else null.
    IPTFrmOpenDlg* Form() const { return FForm.get(); }
    void SetFormFactory(TPTFrmOpenDlgFactory factory) { FFormFactory = std::move(factory); }

    // 14 bytes: the dialog's 9, the tree flag and the splitter position.
    // Reading sets or clears only ptofShowTree among the options.
    bool ReadStateFromStream(QIODevice& stream) override;
    bool WriteStateToStream(QIODevice& stream) const override;

    // Without the dot ("csv"); empty for none.
    QString DefaultExt;
    int HelpContext = 0;
    // The folder shown first; empty lets the form choose.
    QString InitialDir;

    // Handed to the form, fired with the form as sender.
    TNotifyEvent OnFolderChanged;
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnTypeChanged;
    THelpEvent OnHelp;
    // Handed to the form's list (Lv) and tree (Tv).
    TPTShLvCustomDrawEvent OnLvCustomDrawSh;
    TPTShLvCustomDrawEvent OnLvCustomDrawShEx;
    TPTShTvCustomDrawEvent OnTvCustomDrawSh;
    TPTShTvCustomDrawEvent OnTvCustomDrawShEx;

  protected:
    bool DoExecute() override;
    virtual std::unique_ptr<IPTFrmOpenDlg> CreateForm();
    virtual void InitForm(IPTFrmOpenDlg& form);
    virtual void SaveFormSettings(IPTFrmOpenDlg& form);

  private:
    // The window the form is placed over: the owner's, when it is a widget.
    QWidget* OwnerWindow() const;

    QStringList FHistoryList;
    TPTOpenOptions FOptions;
    QStringList FFiles;
    QString FFilter;
    int FFilterIndex = 1;
    int FFormSplitterPos = -1;
    TPTShAddItemEvent FOnAddListItem;
    TPTShAddItemEvent FOnAddTreeItem;
    TPTShAddItemEvent FOnAddComboItem;
    TPTFrmOpenDlgFactory FFormFactory;
    std::unique_ptr<IPTFrmOpenDlg> FForm;
};
