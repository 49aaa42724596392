// The Open/Save form's showing and hiding, the tree toggle, the keys, the
// view modes and the handlers of its controls.
#include "dialogs/form/TPTFrmOpenDlg.h"

#include "dialogs/form/FrmOpenDlgLayout.h"
#include "dialogs/form/TPTFormControlLinks.h"

#include "controls/combo/TPTCombobox.h"
#include "controls/splitter/TPTSplitter.h"
#include "platform/FileNameCodec.h"
#include "shell/PTEventGuard.h"
#include "shell/Uptshconsts.h"
#include "shell/namespace/XdgDirs.h"
#include "shell/records/TPTShListData.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/combo/TPTShellCombo.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

using namespace FrmOpenDlgLayout;

namespace
{

constexpr int kOk = 1;

QString JoinHint(TResStringRec shortHint, TResStringRec longHint)
{
    return PTLoadStr(shortHint) + QLatin1Char('|') + PTLoadStr(longHint);
}

// The short part of a "short|long" hint, which is what a tooltip shows.
QString ShortHint(const QString& hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

// The folder that exists nearest to path: path itself or an ancestor.
QString NearestExistingFolder(QString path)
{
    // By the name's bytes: a folder whose name is not UTF-8 is a folder too.
    while (!path.isEmpty() && !XdgDirs::IsDirectory(FileNameFromString(path))) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return QString();
        path = parent;
    }
    return path;
}

// The folder the last form of this run showed when it closed: a dialog
// opened again without an initial folder goes back there, after OK and after
// Cancel alike.
QString& LastShownFolder()
{
    static QString folder;
    return folder;
}

} // namespace

// ---- showing and hiding --------------------------------------------------------

void TPTFrmOpenDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !FShown)
        PTEventGuard([this] { DoShow(); });
}

void TPTFrmOpenDlg::DoShow()
{
    TPTBusyCursor busy;
    // The design's font family only where it is installed; elsewhere the
    // desktop's own font reads better than a substitute.
    const QString family = PTLoadStr(SDialogFontName);
    if (QFontDatabase::hasFamily(family)) {
        QFont f = font();
        f.setFamily(family);
        setFont(f);
    }
    FileTypesCbx->SetExtendedUI(true);
    ShowTreeBtn->setVisible(FOptions.Contains(ptofAllowTree));
    DoTranslation();
    ShowTree(FOptions.Contains(ptofShowTree));
    ChooseFirstFolder();
    FConfirmation.LastInputSource = lisList;
    FShown = true;
    DoOnFormShow();
}

void TPTFrmOpenDlg::ChooseFirstFolder()
{
    QString folder = FInitialDir;
    if (folder.isEmpty()) {
        const QString text = FileNameEdt->text();
        const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) {
            folder = slash == 0 ? QStringLiteral("/") : text.left(slash);
            const QString name = text.mid(slash + 1);
            if (!name.isEmpty())
                FileNameEdt->setText(name);
        }
    }
    if (folder.isEmpty())
        folder = LastShownFolder();
    if (folder.isEmpty())
        folder = QDir::currentPath();
    // A folder that has gone since (a stored one, a removed stick) opens at
    // its nearest ancestor rather than at the desktop.
    const QString existing = NearestExistingFolder(folder);
    PTShellCombo1->SelectedFolder().SetPathName(existing.isEmpty() ? folder : existing);
}

void TPTFrmOpenDlg::hideEvent(QHideEvent* event)
{
    if (FShown) {
        const QString shown = ShownFolderPath();
        if (!shown.isEmpty())
            LastShownFolder() = shown;
    }
    FShown = false;
    QDialog::hideEvent(event);
    PTEventGuard([this] { DoOnFormClose(); });
}

void TPTFrmOpenDlg::DoTranslation()
{
    CancelBtn->setText(PTLoadStr(SCancelButton));
    HelpBtn->setText(PTLoadStr(SHelpButton));
    UpOneLevelBtn->setToolTip(PTLoadStr(SUpOneLevelHint));
    CreateNewFolderBtn->setToolTip(PTLoadStr(SCreateNewFolderHint));
    const QString listHint = JoinHint(SViewListHint, SViewListContext);
    const QString detailsHint = JoinHint(SViewDetailsHint, SViewDetailsContext);
    ListBtn->setToolTip(ShortHint(listHint));
    ListBtn->setStatusTip(listHint.section(QLatin1Char('|'), 1));
    DetailsBtn->setToolTip(ShortHint(detailsHint));
    DetailsBtn->setStatusTip(detailsHint.section(QLatin1Char('|'), 1));
    ReadOnlyChk->setText(PTLoadStr(SOpenAsReadOnly));
    FileNameTxt->setText(PTLoadStr(SFileName));
    ShowTreeBtn->setToolTip(PTLoadStr(SShowTreeHint));
    const auto item = [](QAction* a, TResStringRec caption, TResStringRec hint) {
        a->setText(PTLoadStr(caption));
        a->setStatusTip(PTLoadStr(hint));
    };
    item(View1Mitm, SViewMenu, SViewContext);
    item(LargeIcons1Mitm, SViewLargeIconsMenu, SViewLargeIconsContext);
    item(Smallicons1MItm, SViewSmallIconsMenu, SViewSmallIconsContext);
    item(List1Mitm, SViewListMenu, SViewListContext);
    item(Details1Mitm, SViewDetailsMenu, SViewDetailsContext);
    item(Paste1Mitm, SEditPasteMenu, SPasteContext);
    item(New1Mitm, SNewMenu, SNewPopupContext);
    item(Folder1Mitm, SNewFolderMenu, SCreateFolderContext);
    item(Properties1Mitm, SPropertiesMenu, SPropertiesContext);
    // The texts may be longer than the designed ones: the edits and the
    // combo move right of their labels, the panel fits what it shows.
    PlaceControls();
}

// ---- the folder tree -----------------------------------------------------------

void TPTFrmOpenDlg::ShowTree(bool show)
{
    if (show) {
        if (FLinks->TreeLinkedToCombo() && PTSplitter1->Position() > -PTSplitter1->SplitterWidth())
            return;
        ShowTreeBtn->setChecked(true);
        try {
            if (!FLinks->TreeLinkedToCombo()) {
                TPTBusyCursor busy;
                FLinks->LinkTreeBetween();
                PTSplitter1->SetPaneMinSize(0, kTreePaneMinSize);
            }
            // A collapsed tree, or one squeezed to a sliver (a stored -1
            // arrives as the pane's minimum and grows with the form), opens
            // at a width one can use.
            const int position = PTSplitter1->Position();
            const bool sliver = position < Scale(kUsableTreeWidth, FScale);
            PTSplitter1->SetPosition(sliver ? Scale(kOpenedTreeWidth, FScale) : position);
        } catch (...) {
            ShowTreeBtn->setChecked(false);
            throw;
        }
        SetOptions(FOptions + ptofShowTree);
        PTShellTree1->setFocusPolicy(Qt::StrongFocus);
    } else {
        ShowTreeBtn->setChecked(false);
        if (PTShellTree1->isAncestorOf(QApplication::focusWidget()) || PTShellTree1->hasFocus())
            PTShellList1->setFocus();
        PTShellTree1->setFocusPolicy(Qt::NoFocus);
        FLinks->UnlinkTree();
        // A negative size hides the tree pane and the bar with it.
        PTSplitter1->SetPaneMinSize(0, -PTSplitter1->SplitterWidth());
        PTSplitter1->SetPosition(-PTSplitter1->SplitterWidth());
        SetOptions(FOptions - ptofShowTree);
    }
    if (PTShellList1->isVisible() && PTShellList1->Options().Has(ptsloHideFoldersWhenLinkedToTree))
        PTShellList1->FillItems();
}

// ---- keys ------------------------------------------------------------------------

bool TPTFrmOpenDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The drop-down closes itself on F4 already when the key is offered as a
    // shortcut, before it arrives as a key press: there the form takes it,
    // so that F4 confirms the highlighted folder.
    const bool dropDownF4 = event->type() == QEvent::ShortcutOverride &&
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4 &&
                            PTShellCombo1->DroppedDown();
    if ((event->type() != QEvent::KeyPress && !dropDownF4) || !isVisible())
        return QDialog::eventFilter(watched, event);
    // Each key once, where it starts: at the focused widget of this window or
    // of the folder combo's drop-down.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget != QApplication::focusWidget())
        return QDialog::eventFilter(watched, event);
    QWidget* completions = FileNameEdt->completer() ? FileNameEdt->completer()->popup() : nullptr;
    const bool ours =
        widget->window() == this ||
        (PTShellCombo1->view() && widget->window() == PTShellCombo1->view()->window()) ||
        (completions && widget->window() == completions->window());
    if (!ours)
        return QDialog::eventFilter(watched, event);
    bool handled = false;
    PTEventGuard([&] { FormKeyDown(static_cast<QKeyEvent*>(event), handled); });
    if (handled)
        event->accept();
    return handled;
}

void TPTFrmOpenDlg::FormKeyDown(QKeyEvent* event, bool& handled)
{
    if (event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return;
    if (QApplication::mouseButtons() != Qt::NoButton)
        return;
    QCompleter* completer = FileNameEdt->completer();
    if (event->key() == Qt::Key_Tab && completer && completer->popup()->isVisible()) {
        // Tab takes the highlighted completion, or the first one.
        QModelIndex chosen = completer->popup()->currentIndex();
        if (!chosen.isValid() && completer->setCurrentRow(0))
            chosen = completer->currentIndex();
        // The popup shows the completer's proxy; the path is the source's.
        auto* proxy = qobject_cast<QAbstractProxyModel*>(completer->completionModel());
        if (chosen.isValid() && proxy)
            FileNameEdt->setText(completer->pathFromIndex(proxy->mapToSource(chosen)));
        completer->popup()->hide();
        handled = true;
        return;
    }
    switch (event->key()) {
    case Qt::Key_F4:
        if (PTShellCombo1->DroppedDown()) {
            // As if the user confirmed the highlighted folder: it opens.
            // Closed first: moving the focus out of the drop-down would
            // dismiss it without a choice.
            PTShellCombo1->CloseDropDown(true);
            PTShellList1->setFocus();
        } else {
            PTShellCombo1->setFocus();
            PTShellCombo1->showPopup();
        }
        handled = true;
        break;
    case Qt::Key_F5:
        // The focused control refreshes itself on F5; the key goes on to it.
        RefreshControls();
        break;
    case Qt::Key_F12:
        if (FOptions.Contains(ptofAllowTree)) {
            ShowTree(!ShowTreeBtn->isChecked());
            handled = true;
        }
        break;
    case Qt::Key_Backspace: {
        // Up one level from the list or the tree, never while a name is edited.
        QWidget* focus = QApplication::focusWidget();
        const bool inBrowser = focus && !qobject_cast<QLineEdit*>(focus) &&
                               (PTShellList1->isAncestorOf(focus) || focus == PTShellList1 ||
                                PTShellTree1->isAncestorOf(focus) || focus == PTShellTree1);
        if (inBrowser) {
            UpOneLevelBtnClick();
            handled = true;
        }
        break;
    }
    default:
        break;
    }
}

void TPTFrmOpenDlg::RefreshControls()
{
    QWidget* focus = QApplication::focusWidget();
    const auto focused = [focus](QWidget* control) {
        return focus && (focus == control || control->isAncestorOf(focus));
    };
    if (!focused(PTShellCombo1))
        PTShellCombo1->FillItems();
    if (!focused(PTShellList1))
        PTShellList1->RefreshItems();
    if (FLinks->TreeLinkedToCombo() && !focused(PTShellTree1))
        PTShellTree1->RefreshNodes();
}

// ---- handlers --------------------------------------------------------------------

void TPTFrmOpenDlg::ViewBtnClick(int tag)
{
    PTShellList1->SetViewStyle(TViewStyle(tag));
    for (QToolButton* b : {ListBtn, DetailsBtn})
        b->setChecked(b->property("Tag").toInt() == tag);
    for (QAction* a : {LargeIcons1Mitm, Smallicons1MItm, List1Mitm, Details1Mitm})
        a->setChecked(a->property("Tag").toInt() == tag);
}

void TPTFrmOpenDlg::FileTypesCbxSelEndOk()
{
    if (!FUserFilter.isEmpty())
        FileNameEdt->clear();
    FUserFilter.clear();
    PTShellList1->SetFileFilter(SelectedFileTypePattern());
    if (FShown)
        DoOnTypeChanged();
}

void TPTFrmOpenDlg::PTShellList1Change()
{
    if (!FShown)
        return;
    QList<TPTShListData*> files;
    for (int row : PTShellList1->SelectedRows()) {
        TPTShListData* data = PTShellList1->GetShListData(row);
        if (data && !data->IsFolder())
            files.append(data);
    }
    if (files.size() >= 2) {
        QStringList quoted;
        for (TPTShListData* data : files)
            quoted << QLatin1Char('"') + data->GetFilename() + QLatin1Char('"');
        FileNameEdt->setText(quoted.join(QLatin1Char(' ')));
    } else if (files.size() == 1) {
        FileNameEdt->setText(files.front()->GetDisplayName());
    }
    FConfirmation.LastInputSource = lisList;
    DoOnSelectionChanged();
}

void TPTFrmOpenDlg::PTShellList1FolderChanged()
{
    if (FShown)
        DoOnFolderChanged();
}

void TPTFrmOpenDlg::PTShellTree1Change()
{
    // Only a folder the user picks in the tree: the tree's own fills and the
    // folders the combo hands it also select nodes, and must not take away
    // the name the dialog was opened with.
    if (FShown && PTShellTree1->isVisible() &&
        (PTShellTree1->hasFocus() || PTShellTree1->isAncestorOf(QApplication::focusWidget())))
        FileNameEdt->clear();
}

void TPTFrmOpenDlg::UpOneLevelBtnClick()
{
    PTShellCombo1->GoUp(1);
}

void TPTFrmOpenDlg::ShowDesktopBtnClick()
{
    PTShellList1->Folder().SetCSIDL(csidlDesktop);
}

void TPTFrmOpenDlg::CreateNewFolderBtnClick()
{
    const bool intoTree =
        PTShellTree1->hasFocus() || PTShellTree1->isAncestorOf(QApplication::focusWidget()) ||
        (ShowTreeBtn->isChecked() && FOptions.Contains(ptofHideFoldersInListWhenTreeVisible));
    if (intoTree) {
        PTShellTree1->CreateNewFolder(true);
        return;
    }
    PTShellList1->CreateNewFolder(true);
}

void TPTFrmOpenDlg::ReadOnlyChkClick()
{
    FOptions.Set(ptofReadOnly, ReadOnlyChk->isChecked());
}

void TPTFrmOpenDlg::HelpBtnClick()
{
    bool callHelp = true;
    if (OnHelp)
        OnHelp(0, FHelpContext, callHelp);
}

// ---- events to the owner ---------------------------------------------------------

void TPTFrmOpenDlg::DoOnFormClose()
{
    if (OnFormClose)
        OnFormClose(this);
}

void TPTFrmOpenDlg::DoOnFolderChanged()
{
    if (OnFolderChanged)
        OnFolderChanged(this);
}

void TPTFrmOpenDlg::DoOnSelectionChanged()
{
    if (OnSelectionChanged)
        OnSelectionChanged(this);
}

void TPTFrmOpenDlg::DoOnFormShow()
{
    if (OnFormShow)
        OnFormShow(this);
}

void TPTFrmOpenDlg::DoOnTypeChanged()
{
    if (OnTypeChanged)
        OnTypeChanged(this);
}
