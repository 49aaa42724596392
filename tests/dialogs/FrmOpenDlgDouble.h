#pragma once

#include "dialogs/components/IPTFrmOpenDlg.h"

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
    // The names the form's confirmation accepts (GetFiles after OK).
    QStringList files;
    // The operation that raises EPlatformError("form failed"): "factory" or
    // the name of a form operation ("SetOptions", "ShowModal", "GetFiles").
    QString failAt;

    // Every setter call, GetFiles and ShowModal, "Name argument", in order.
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
    ~FrmOpenDlgDouble() override { ++m_script.deleted; }

    static TPTFrmOpenDlgFactory Factory(FormScript& script);

    // clang-format off
    void SetOnAddListItem(TPTShAddItemEvent e) override { Log("SetOnAddListItem", IsSet(e)); onAddListItem = e; }
    void SetOnAddTreeItem(TPTShAddItemEvent e) override { Log("SetOnAddTreeItem", IsSet(e)); }
    void SetOnAddComboItem(TPTShAddItemEvent e) override { Log("SetOnAddComboItem", IsSet(e)); }
    void SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent e) override { Log("SetOnLvCustomDrawSh", IsSet(e)); }
    void SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent e) override { Log("SetOnLvCustomDrawShEx", IsSet(e)); }
    void SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent e) override { Log("SetOnTvCustomDrawSh", IsSet(e)); }
    void SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent e) override { Log("SetOnTvCustomDrawShEx", IsSet(e)); }
    void SetOnFormShow(TNotifyEvent e) override { Log("SetOnFormShow", IsSet(e)); }
    void SetOnFormClose(TNotifyEvent e) override { Log("SetOnFormClose", IsSet(e)); }
    void SetOnFolderChanged(TNotifyEvent e) override { Log("SetOnFolderChanged", IsSet(e)); }
    void SetOnSelectionChanged(TNotifyEvent e) override { Log("SetOnSelectionChanged", IsSet(e)); }
    void SetOnTypeChanged(TNotifyEvent e) override { Log("SetOnTypeChanged", IsSet(e)); }
    void SetOnHelp(THelpEvent e) override { Log("SetOnHelp", IsSet(e)); }

    void SetInitialDir(const QString& dir) override { Log("SetInitialDir", dir); }
    void SetFilename(const QString& name) override { Log("SetFilename", name); fileNameText = name; }
    QString GetFilename() const override;
    QStringList GetFiles() const override;
    void SetDefaultExt(const QString& ext) override { Log("SetDefaultExt", ext); }
    void SetOptions(TPTOpenOptions o) override;
    TPTOpenOptions Options() const override { return options; }
    void SetFilter(const QString& filter) override { Log("SetFilter", filter); }
    void SetFilterIndex(int i) override { Log("SetFilterIndex", QString::number(i)); filterIndex = i; }
    int GetFilterIndex() const override { return filterIndex; }
    void SetFormSplitterPos(int p) override { Log("SetFormSplitterPos", QString::number(p)); splitterPos = p; }
    int GetFormSplitterPos() const override { return splitterPos; }
    void SetCaption(const QString& text) override { Log("SetCaption", text); }
    void SetOpenBtnCaption(const QString& text) override { Log("SetOpenBtnCaption", text); }
    void SetLookInTxtCaption(const QString& text) override { Log("SetLookInTxtCaption", text); }
    void SetFilesOfTypeTxtCaption(const QString& text) override { Log("SetFilesOfTypeTxtCaption", text); }
    void SetHelpContext(int c) override { Log("SetHelpContext", QString::number(c)); }
    void SetFormWidth(int w) override { Log("SetFormWidth", QString::number(w)); restoredSize.setWidth(w); }
    void SetFormHeight(int h) override { Log("SetFormHeight", QString::number(h)); restoredSize.setHeight(h); }
    QSize GetFormRestoredSize() const override { return restoredSize; }
    void SetFormWindowState(TWindowState s) override { Log("SetFormWindowState", QString::number(s)); windowState = s; }
    TWindowState GetFormWindowState() const override { return windowState; }
    int ShowModal() override;
    // clang-format on

    // What the form holds; whileShown changes these as the user would.
    bool shown = false;
    QString fileNameText;
    TPTOpenOptions options;
    int filterIndex = 0;
    int splitterPos = -1;
    QSize restoredSize{459, 292}; // the designed size with its frame
    TWindowState windowState = wsNormal;
    TPTShAddItemEvent onAddListItem;

  private:
    template <typename Event> static QString IsSet(const Event& e)
    {
        return e ? QStringLiteral("set") : QStringLiteral("-");
    }
    // Raises when the script says this operation fails.
    void Log(const char* name) const;
    void Log(const char* name, const QString& argument) const;

    FormScript& m_script;
};
