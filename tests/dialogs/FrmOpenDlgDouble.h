#pragma once

#include "dialogs/components/IPTFrmOpenDlg.h"

#include <QCursor>
#include <QSize>
#include <QStringList>

#include <functional>

class FrmOpenDlgDouble;

// What the user does in the double forms of one test, and what the test sees
// afterwards (the forms themselves are gone by then).
struct FormScript {
    // The modal result ShowModal returns, after whileShown ran.
    int modalResult = 1;
    // Runs inside ShowModal: the user's actions, the owner's handlers.
    std::function<void(FrmOpenDlgDouble& form)> whileShown;
    // The names the form's confirmation accepts (GetFiles after showing).
    QStringList files;
    // The operation that raises EPlatformError("form failed"): "factory" or
    // the name of a form operation ("SetOptions", "ShowModal", "GetFiles").
    QString failAt;

    // Every setter call and ShowModal, "Name argument", in order.
    QStringList calls;
    int made = 0;
    int deleted = 0;
    QWidget* parent = nullptr;
    // The override cursor's shape when the form was made and when it showed
    // (-1 for none).
    int cursorWhenMade = -1;
    int cursorWhenShown = -1;
};

// The dialog form without a window: keeps what it is given, as the real form
// does, and logs it into the script.
class FrmOpenDlgDouble : public IPTFrmOpenDlg
{
  public:
    explicit FrmOpenDlgDouble(FormScript& script);
    ~FrmOpenDlgDouble() override;

    static TPTFrmOpenDlgFactory Factory(FormScript& script);

    void SetOnAddListItem(TPTShAddItemEvent e) override;
    void SetOnAddTreeItem(TPTShAddItemEvent e) override;
    void SetOnAddComboItem(TPTShAddItemEvent e) override;
    void SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent e) override;
    void SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent e) override;
    void SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent e) override;
    void SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent e) override;
    void SetOnFormShow(TNotifyEvent e) override;
    void SetOnFormClose(TNotifyEvent e) override;
    void SetOnFolderChanged(TNotifyEvent e) override;
    void SetOnSelectionChanged(TNotifyEvent e) override;
    void SetOnTypeChanged(TNotifyEvent e) override;
    void SetOnHelp(THelpEvent e) override;

    void SetInitialDir(const QString& dir) override;
    void SetFilename(const QString& name) override;
    QString GetFilename() const override;
    QStringList GetFiles() const override;
    void SetDefaultExt(const QString& ext) override;
    void SetOptions(TPTOpenOptions options) override;
    TPTOpenOptions Options() const override;
    void SetFilter(const QString& filter) override;
    void SetFilterIndex(int index) override;
    int GetFilterIndex() const override;
    void SetFormSplitterPos(int position) override;
    int GetFormSplitterPos() const override;
    void SetCaption(const QString& text) override;
    void SetOpenBtnCaption(const QString& text) override;
    void SetLookInTxtCaption(const QString& text) override;
    void SetFilesOfTypeTxtCaption(const QString& text) override;
    void SetHelpContext(int context) override;
    void SetFormWidth(int width) override;
    void SetFormHeight(int height) override;
    QSize GetFormRestoredSize() const override;
    void SetFormWindowState(TWindowState state) override;
    TWindowState GetFormWindowState() const override;
    int ShowModal() override;

    // What the form holds; whileShown changes these as the user would.
    bool shown = false;
    QString fileNameText;
    TPTOpenOptions options;
    int filterIndex = 0;
    int splitterPos = -1;
    QSize restoredSize{459, 292}; // the designed size with its frame
    TWindowState windowState = wsNormal;
    TPTShAddItemEvent onAddListItem;
    TNotifyEvent onFormShow;

  private:
    // Raises when the script says this operation fails.
    void Log(const char* name) const;
    void Log(const char* name, const QString& argument) const;

    FormScript& m_script;
};
