#pragma once

#include "dialogs/TPTOpenOptions.h"
#include "dialogs/components/PTDialogTypes.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

// The Open/Save form as the dialog components (TPTFileDlg and below) see it:
// everything they set on it before it shows and read from it after it
// closed. The form (TPTFrmOpenDlg) implements it; the components know nothing
// else of it. Several operations have the same signature as those of
// IPTFileNameForm (Options, SetOptions), so one override serves both.
//
// Life of a form, driven by TPTFileDlg::DoExecute, all on the user-interface
// thread:
//   1. made by the component's factory (TPTFrmOpenDlgFactory), hidden;
//   2. configured through the setters below (InitForm), in the order that
//      TPTFileDlg::InitForm documents; no event may reach the owner while the
//      form is being configured;
//   3. ShowModal, during which the owner's handlers run and may call the
//      component's setters, which reach the form again (SetOptions, SetFilter,
//      SetFilterIndex, SetFormSplitterPos, SetFilename, SetOnAddListItem,
//      SetOnAddTreeItem) and the component's GetFilename / GetFilterIndex,
//      which read it;
//   4. read back after ShowModal returned (SaveFormSettings): Options,
//      GetFiles, the restored size, the window state, GetFilterIndex and
//      GetFormSplitterPos, followed by SetOptions, SetFilterIndex and
//      SetFormSplitterPos with those values, which must be harmless on a form
//      that no longer shows;
//   5. deleted by the component, also when any step above threw.
// Exceptions from any operation propagate to the caller of Execute. Inside
// ShowModal the form calls the owner's events from its Qt event handlers, so
// it runs them through PTEventGuard (shell/PTEventGuard.h): a handler may
// raise, for one by calling Execute again, and the dialog goes on.
class IPTFrmOpenDlg
{
  public:
    virtual ~IPTFrmOpenDlg() = default;

    // Filters and custom drawing, handed to the file list (Lv) and the folder
    // tree (Tv) at once; the controls fire them with themselves as sender.
    virtual void SetOnAddListItem(TPTShAddItemEvent event) = 0;
    virtual void SetOnAddTreeItem(TPTShAddItemEvent event) = 0;
    // The folder combo has no add-item hook: does nothing.
    virtual void SetOnAddComboItem(TPTShAddItemEvent event) = 0;
    virtual void SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent event) = 0;
    virtual void SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent event) = 0;
    virtual void SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent event) = 0;
    virtual void SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent event) = 0;

    // The form's own events, fired with the form as sender and only once it
    // has finished showing (its Shown flag): at the end of showing, when it
    // hides, when the list's folder changed, after a list selection filled
    // the file-name box, when the user chose a file type.
    virtual void SetOnFormShow(TNotifyEvent event) = 0;
    virtual void SetOnFormClose(TNotifyEvent event) = 0;
    virtual void SetOnFolderChanged(TNotifyEvent event) = 0;
    virtual void SetOnSelectionChanged(TNotifyEvent event) = 0;
    virtual void SetOnTypeChanged(TNotifyEvent event) = 0;
    // The form's help requests go here when set.
    virtual void SetOnHelp(THelpEvent event) = 0;

    // The folder shown first; empty lets the form choose (the folder part
    // of the file-name box, else the process's current directory).
    virtual void SetInitialDir(const QString& dir) = 0;
    // Puts the text into the file-name box (a name or a path, possibly in
    // the lossless form of a name that is not UTF-8).
    virtual void SetFilename(const QString& name) = 0;
    // Before the form has finished showing: the file-name box's text;
    // afterwards: the first name accepted by the last confirmation, or empty.
    virtual QString GetFilename() const = 0;
    // The full paths accepted by the last confirmation of the file-name box,
    // in the order given; empty when the last one failed or none ran.
    virtual QStringList GetFiles() const = 0;
    // Without the dot; empty for none.
    virtual void SetDefaultExt(const QString& ext) = 0;

    // Stores the set and applies it to the list, the tree, the read-only box,
    // the Help button and the hints. Options() returns the current set,
    // including what the form changed (ptofShowTree, ptofReadOnly,
    // ptofExtensionDifferent).
    virtual void SetOptions(TPTOpenOptions options) = 0;
    virtual TPTOpenOptions Options() const = 0;

    // Adds the file types of a filter text ("desc|pattern|desc|pattern");
    // a second call adds after the first ones.
    virtual void SetFilter(const QString& filter) = 0;
    // 1-based; out of range selects the first type without the type-change
    // handling. GetFilterIndex is 0 when there are no file types.
    virtual void SetFilterIndex(int index) = 0;
    virtual int GetFilterIndex() const = 0;
    // The width of the folder-tree pane; the splitter clamps it.
    virtual void SetFormSplitterPos(int position) = 0;
    virtual int GetFormSplitterPos() const = 0;

    // Texts: the window caption, the default button (OpenBtn), the folder
    // label (LookInTxt) and the file-type label (FilesOfTypeTxt).
    virtual void SetCaption(const QString& text) = 0;
    virtual void SetOpenBtnCaption(const QString& text) = 0;
    virtual void SetLookInTxtCaption(const QString& text) = 0;
    virtual void SetFilesOfTypeTxtCaption(const QString& text) = 0;
    // Help topic of the form and of its Help button.
    virtual void SetHelpContext(int context) = 0;

    // Size in pixels of the form's client area, without the window manager's
    // frame (unknown until the form shows): the same measure both ways, so a
    // size read back opens the next form at the same size. The component sets only positive values, never larger than
    // the screen's available area; the form keeps its minimum size.
    virtual void SetFormWidth(int width) = 0;
    virtual void SetFormHeight(int height) = 0;
    // The client size of the normal (restored) window, also while the form is
    // maximized, so a maximized form records the size it returns to.
    virtual QSize GetFormRestoredSize() const = 0;
    virtual void SetFormWindowState(TWindowState state) = 0;
    virtual TWindowState GetFormWindowState() const = 0;

    // Shows the form modally and returns its modal result: 1 when the user
    // confirmed a name (the close check agreed), 2 for Cancel or a closed
    // window.
    virtual int ShowModal() = 0;
};

// Makes one hidden form. aParent is the window of the component's owner (null
// when it has none): the form is placed over it and kept above it. The
// component deletes the form before Execute returns; the owner outlives that.
using TPTFrmOpenDlgFactory = std::function<std::unique_ptr<IPTFrmOpenDlg>(QWidget* aParent)>;

// The factory every new component starts with: the dialog form of this layer.
TPTFrmOpenDlgFactory PTDefaultFrmOpenDlgFactory();
