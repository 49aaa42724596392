#include "dialogs/form/TPTFrmOpenDlg.h"

#include "dialogs/form/DialogGlyphs.h"
#include "dialogs/form/FileTypeFilter.h"
#include "dialogs/form/FrmOpenDlgLayout.h"
#include "dialogs/form/OpenOptionMapping.h"
#include "dialogs/form/TPTFileNameCompleter.h"
#include "dialogs/form/TPTFormControlLinks.h"

#include "controls/combo/TPTCombobox.h"
#include "controls/frame/TPTGroup.h"
#include "controls/splitter/TPTSplitter.h"
#include "shell/PTEventGuard.h"
#include "shell/Uptshconsts.h"
#include "shell/records/TPTShListData.h"
#include "shellwidgets/TPTBusyCursor.h"
#include "shellwidgets/combo/TPTShellCombo.h"
#include "shellwidgets/list/TPTShellList.h"
#include "shellwidgets/tree/TPTShellTree.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSizeGrip>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace FrmOpenDlgLayout;

namespace
{

constexpr int kOk = 1;
constexpr int kCancel = 2;

// The view style a view button or view menu item stands for.
constexpr char kTagProperty[] = "Tag";

} // namespace

TPTFrmOpenDlg::TPTFrmOpenDlg(QWidget* aParent) : QDialog(aParent), FConfirmation(*this, FPathSyntax)
{
    setObjectName(QStringLiteral("PTFrmOpenDlg"));
    setWindowTitle(QStringLiteral("Open"));
    // A system menu and a maximize box, no minimize box: the form is modal.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false); // the form places its own grip
    FScale = DesignScale(fontMetrics().height());

    CreateControls();
    LinkControls();

    const QSize minimum(Scale(kMinimumSize.width(), FScale), Scale(kMinimumSize.height(), FScale));
    setMinimumSize(minimum);
    resize(Scale(kDesignClient.width(), FScale), Scale(kDesignClient.height(), FScale));
    PlaceControls();
    FileNameEdt->setFocus();

    // Key preview: the form sees a key before the control that has the focus.
    qApp->installEventFilter(this);
}

TPTFrmOpenDlg::~TPTFrmOpenDlg()
{
    qApp->removeEventFilter(this);
    // The links point into the controls and the controls into the links:
    // they go first, while every control still lives.
    FLinks.reset();
}

// ---- construction ----------------------------------------------------------

void TPTFrmOpenDlg::CreateControls()
{
    LookInTxt = new QLabel(QStringLiteral("Look &in:"), this);
    LookInTxt->setObjectName(QStringLiteral("LookInTxt"));

    PTShellCombo1 = new TPTShellCombo(this);
    PTShellCombo1->setObjectName(QStringLiteral("PTShellCombo1"));
    PTShellCombo1->SetOptions(TPTCustomShellCombo::ptscoAutofill);
    PTShellCombo1->SetDropDownCount(16);
    PTShellCombo1->setAccessibleName(QStringLiteral("Look in"));
    LookInTxt->setBuddy(PTShellCombo1);

    CreateToolbar();

    SplitterContainer = new TPTGroup(this);
    SplitterContainer->setObjectName(QStringLiteral("SplitterContainer"));
    SplitterContainer->SetFrameStyle(ptfsNone);
    PTSplitter1 = new TPTSplitter(SplitterContainer);
    PTSplitter1->setObjectName(QStringLiteral("PTSplitter1"));
    PTSplitter1->SetSplitterWidth(kSplitterWidth);
    PTSplitter1->SetPaneMinSize(0, kTreePaneMinSize);
    PTSplitter1->SetPaneMinSize(1, Scale(kListPaneMinSize, FScale));

    PTShellTree1 = new TPTShellTree(PTSplitter1->GetPane(0));
    PTShellTree1->setObjectName(QStringLiteral("PTShellTree1"));
    PTShellTree1->SetOptions(ptstoAutoFill | ptstoDefaultKeyHandling | ptstoContextMenus |
                             ptstoDynamicRefresh);
    PTShellTree1->setAccessibleName(QStringLiteral("Folders"));
    PTShellList1 = new TPTShellList(PTSplitter1->GetPane(1));
    PTShellList1->setObjectName(QStringLiteral("PTShellList1"));
    PTShellList1->SetOptions(TPTShellListOptions()
                                 .With(ptsloAutoFill)
                                 .With(ptsloDefaultKeyHandling)
                                 .With(ptsloContextMenus)
                                 .With(ptsloDynamicRefresh));
    PTShellList1->SetViewStyle(vsList);
    PTShellList1->setAccessibleName(QStringLiteral("Files"));
    // Each pane holds one control that fills it; the splitter fills its group.
    for (QWidget* control :
         {static_cast<QWidget*>(PTShellTree1), static_cast<QWidget*>(PTShellList1)}) {
        auto* fill = new QVBoxLayout(control->parentWidget());
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(control);
    }
    PTSplitter1->SetPosition(kSplitterPosition);

    CreateBottomPanel();
    CreatePopupMenu();

    SizeGrip = new QSizeGrip(this);
    SizeGrip->setObjectName(QStringLiteral("SizeGrip"));
    SizeGrip->resize(Scale(kSizeGrip, FScale), Scale(kSizeGrip, FScale));
    SizeGrip->raise();

    PTShellList1->OnSelectionChanged = [this](TPTCustomListView*) {
        PTEventGuard([this] { PTShellList1Change(); });
    };
    PTShellList1->OnFolderChanged = [this](TPTCustomShellList*) {
        PTEventGuard([this] { PTShellList1FolderChanged(); });
    };
    // A file opened in the list confirms the dialog (the close check runs)
    // instead of starting its program; folders the list opens itself.
    PTShellList1->OnDblClickOpen = [this](TPTCustomShellList*, bool& handled) {
        handled = true;
        PTEventGuard([this] { done(kOk); });
    };
    PTShellTree1->OnChange = [this](TPTCustomTreeView*, TPTTreeNode* node) {
        if (node)
            PTEventGuard([this] { PTShellTree1Change(); });
    };
}

void TPTFrmOpenDlg::CreateToolbar()
{
    const auto button = [this](const char* name, TPTDialogGlyph glyph, const QString& accessible) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(PTDialogGlyph(glyph));
        b->setAutoRaise(true);
        b->setAccessibleName(accessible);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    UpOneLevelBtn =
        button("UpOneLevelBtn", TPTDialogGlyph::UpOneLevel, QStringLiteral("Up One Level"));
    ShowDesktopBtn =
        button("ShowDesktopBtn", TPTDialogGlyph::ShowDesktop, QStringLiteral("Show Desktop"));
    ShowDesktopBtn->setToolTip(QStringLiteral("Show Desktop"));
    CreateNewFolderBtn = button("CreateNewFolderBtn", TPTDialogGlyph::CreateNewFolder,
                                QStringLiteral("Create New Folder"));
    ShowTreeBtn = button("ShowTreeBtn", TPTDialogGlyph::ShowTree, QStringLiteral("Show Tree"));
    ShowTreeBtn->setCheckable(true);
    ListBtn = button("ListBtn", TPTDialogGlyph::List, QStringLiteral("List"));
    DetailsBtn = button("DetailsBtn", TPTDialogGlyph::Details, QStringLiteral("Details"));
    ListBtn->setProperty(kTagProperty, int(vsList));
    DetailsBtn->setProperty(kTagProperty, int(vsReport));
    for (QToolButton* view : {ListBtn, DetailsBtn}) {
        view->setCheckable(true);
        connect(view, &QToolButton::clicked, this, [this, view] {
            PTEventGuard([&] { ViewBtnClick(view->property(kTagProperty).toInt()); });
        });
    }
    ListBtn->setChecked(true);

    connect(UpOneLevelBtn, &QToolButton::clicked, this,
            [this] { PTEventGuard([this] { UpOneLevelBtnClick(); }); });
    connect(ShowDesktopBtn, &QToolButton::clicked, this,
            [this] { PTEventGuard([this] { ShowDesktopBtnClick(); }); });
    connect(CreateNewFolderBtn, &QToolButton::clicked, this,
            [this] { PTEventGuard([this] { CreateNewFolderBtnClick(); }); });
    connect(ShowTreeBtn, &QToolButton::clicked, this,
            [this](bool down) { PTEventGuard([&] { ShowTree(down); }); });
}

void TPTFrmOpenDlg::CreateBottomPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    FileNameTxt = new QLabel(QStringLiteral("File &name:"), Panel1);
    FileNameTxt->setObjectName(QStringLiteral("FileNameTxt"));
    FilesOfTypeTxt = new QLabel(QStringLiteral("Files of &type:"), Panel1);
    FilesOfTypeTxt->setObjectName(QStringLiteral("FilesOfTypeTxt"));

    FileNameEdt = new QLineEdit(Panel1);
    FileNameEdt->setObjectName(QStringLiteral("FileNameEdt"));
    FileNameEdt->setAccessibleName(QStringLiteral("File name"));
    FileNameTxt->setBuddy(FileNameEdt);
    FileNameEdt->setCompleter(new TPTFileNameCompleter([this] { return ShownFolderPath(); }, this));
    connect(FileNameEdt, &QLineEdit::textEdited, this, [this] {
        if (FShown)
            FConfirmation.LastInputSource = lisEdit;
    });

    FileTypesCbx = new TPTCombobox(Panel1);
    FileTypesCbx->setObjectName(QStringLiteral("FileTypesCbx"));
    FileTypesCbx->setAccessibleName(QStringLiteral("Files of type"));
    FilesOfTypeTxt->setBuddy(FileTypesCbx);
    FileTypesCbx->OnSelEndOk = [this](QObject*) {
        PTEventGuard([this] { FileTypesCbxSelEndOk(); });
    };

    // Kept for owners that resize it; never shown.
    FileNameCbx = new QComboBox(Panel1);
    FileNameCbx->setObjectName(QStringLiteral("FileNameCbx"));
    FileNameCbx->setVisible(false);
    FileNameCbx->setFocusPolicy(Qt::NoFocus);

    ReadOnlyChk = new QCheckBox(QStringLiteral("Open as &read-only"), Panel1);
    ReadOnlyChk->setObjectName(QStringLiteral("ReadOnlyChk"));
    connect(ReadOnlyChk, &QCheckBox::clicked, this,
            [this] { PTEventGuard([this] { ReadOnlyChkClick(); }); });

    OpenBtn = new QPushButton(QStringLiteral("&Open"), Panel1);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setDefault(true);
    connect(OpenBtn, &QPushButton::clicked, this, [this] { done(kOk); });
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), Panel1);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(kCancel); });
    HelpBtn = new QPushButton(QStringLiteral("&Help"), Panel1);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->setAutoDefault(false);
    HelpBtn->setVisible(false);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { PTEventGuard([this] { HelpBtnClick(); }); });

    // The tab order of the design: the combo, the splitter's controls, then
    // the panel's name, type, buttons and check box.
    setTabOrder(PTShellCombo1, PTShellTree1);
    setTabOrder(PTShellTree1, PTShellList1);
    setTabOrder(PTShellList1, FileNameEdt);
    setTabOrder(FileNameEdt, FileTypesCbx);
    setTabOrder(FileTypesCbx, OpenBtn);
    setTabOrder(OpenBtn, CancelBtn);
    setTabOrder(CancelBtn, ReadOnlyChk);
    setTabOrder(ReadOnlyChk, HelpBtn);
}

void TPTFrmOpenDlg::CreatePopupMenu()
{
    LvPopup = new QMenu(this);
    LvPopup->setObjectName(QStringLiteral("LvPopup"));
    QMenu* view = LvPopup->addMenu(QStringLiteral("&View"));
    View1Mitm = view->menuAction();
    auto* group = new QActionGroup(this);
    const auto viewItem = [&](const char* caption, TViewStyle tag, bool enabled) {
        QAction* a = view->addAction(QLatin1String(caption));
        a->setCheckable(true);
        a->setEnabled(enabled);
        a->setProperty(kTagProperty, int(tag));
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, tag] { PTEventGuard([&] { ViewBtnClick(tag); }); });
        return a;
    };
    LargeIcons1Mitm = viewItem("Lar&ge icons", vsIcon, false);
    Smallicons1MItm = viewItem("S&mall icons", vsSmallIcon, false);
    List1Mitm = viewItem("&List", vsList, true);
    Details1Mitm = viewItem("&Details", vsReport, true);
    List1Mitm->setChecked(true);
    LvPopup->addSeparator();
    Paste1Mitm = LvPopup->addAction(QStringLiteral("&Paste"));
    connect(Paste1Mitm, &QAction::triggered, this,
            [this] { PTEventGuard([this] { PTShellList1->DoCommandForFolder(QStringLiteral("paste")); }); });
    LvPopup->addSeparator();
    QMenu* newMenu = LvPopup->addMenu(QStringLiteral("Ne&w"));
    New1Mitm = newMenu->menuAction();
    Folder1Mitm = newMenu->addAction(QStringLiteral("&Folder"));
    connect(Folder1Mitm, &QAction::triggered, this,
            [this] { PTEventGuard([this] { CreateNewFolderBtnClick(); }); });
    LvPopup->addSeparator();
    Properties1Mitm = LvPopup->addAction(QStringLiteral("P&roperties"));
    connect(Properties1Mitm, &QAction::triggered, this, [this] {
        PTEventGuard([this] { PTShellList1->DoCommandForFolder(QStringLiteral("properties")); });
    });
    PTShellList1->SetPopupMenu(LvPopup);
}

void TPTFrmOpenDlg::LinkControls()
{
    FLinks = std::make_unique<TPTFormControlLinks>(*PTShellCombo1, *PTShellTree1, *PTShellList1);
    FLinks->LinkListToCombo();
}

// ---- layout ------------------------------------------------------------------

void TPTFrmOpenDlg::PlaceControls()
{
    // Top row: designed places, scaled; the combo begins right of its label.
    LookInTxt->adjustSize();
    const QRect comboDesign = ScaleBounds(kShellCombo, FScale);
    const int rowHeight = std::max(comboDesign.height(), PTShellCombo1->sizeHint().height());
    LookInTxt->move(Scale(8, FScale), comboDesign.top() + (rowHeight - LookInTxt->height()) / 2);
    const int comboLeft = LookInTxt->geometry().right() + 1 + Scale(8, FScale);
    PTShellCombo1->setGeometry(comboLeft, comboDesign.top(),
                               std::max(Scale(60, FScale), comboDesign.right() + 1 - comboLeft),
                               rowHeight);
    for (auto [button, design] :
         {std::pair{UpOneLevelBtn, kUpOneLevelBtn}, std::pair{ShowDesktopBtn, kShowDesktopBtn},
          std::pair{CreateNewFolderBtn, kCreateNewFolderBtn}, std::pair{ShowTreeBtn, kShowTreeBtn},
          std::pair{ListBtn, kListBtn}, std::pair{DetailsBtn, kDetailsBtn}}) {
        QRect r = ScaleBounds(design, FScale);
        r.setHeight(rowHeight);
        button->setGeometry(r);
    }
    if (!FOptions.Contains(ptofAllowTree)) {
        // Without the tree button the view buttons close the gap it leaves.
        const int shift = ListBtn->x() - ShowTreeBtn->x();
        ListBtn->move(ListBtn->x() - shift, ListBtn->y());
        DetailsBtn->move(DetailsBtn->x() - shift, DetailsBtn->y());
    }

    // Bottom panel: each row as high as its tallest control needs.
    const int gap = Scale(4, FScale);
    const int editHeight = std::max(
        {Scale(21, FScale), FileNameEdt->sizeHint().height(), FileTypesCbx->sizeHint().height()});
    const int buttonHeight =
        std::max({Scale(23, FScale), OpenBtn->sizeHint().height(), editHeight});
    const int buttonWidth = std::max({Scale(75, FScale), OpenBtn->sizeHint().width(),
                                      CancelBtn->sizeHint().width(), HelpBtn->sizeHint().width()});
    const int row1 = gap, row2 = row1 + buttonHeight + Scale(5, FScale);
    const int row3 = row2 + buttonHeight + Scale(5, FScale);
    FileNameTxt->adjustSize();
    FilesOfTypeTxt->adjustSize();
    const int labelLeft = Scale(8, FScale);
    FileNameTxt->move(labelLeft, row1 + (buttonHeight - FileNameTxt->height()) / 2);
    FilesOfTypeTxt->move(labelLeft, row2 + (buttonHeight - FilesOfTypeTxt->height()) / 2);
    const int editLeft =
        std::max(FileNameTxt->geometry().right(), FilesOfTypeTxt->geometry().right()) + 1 +
        Scale(8, FScale);
    FileNameEdt->setGeometry(editLeft, row1 + (buttonHeight - editHeight) / 2, 10, editHeight);
    FileNameCbx->setGeometry(FileNameEdt->geometry());
    FileTypesCbx->setGeometry(editLeft, row2 + (buttonHeight - editHeight) / 2, 10, editHeight);
    ReadOnlyChk->adjustSize();
    ReadOnlyChk->move(editLeft, row3 + (buttonHeight - ReadOnlyChk->height()) / 2);
    OpenBtn->resize(buttonWidth, buttonHeight);
    CancelBtn->setGeometry(0, row2, buttonWidth, buttonHeight);
    HelpBtn->setGeometry(0, row3, buttonWidth, buttonHeight);
    OpenBtn->move(0, row1);
    FitBottomPanel();
}

void TPTFrmOpenDlg::FitBottomPanel()
{
    int bottom = 0;
    for (QWidget* child : Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    const int height = bottom + Scale(4, FScale);
    Panel1->setGeometry(0, this->height() - height, width(), height);
    resizeEvent(nullptr);
}

void TPTFrmOpenDlg::resizeEvent(QResizeEvent* event)
{
    if (event)
        QDialog::resizeEvent(event);
    Panel1->setGeometry(0, height() - Panel1->height(), width(), Panel1->height());
    const TFormResize r =
        ResizeLayout(size(), PTShellCombo1->geometry().bottom() + 1, Panel1->y(), OpenBtn->width(),
                     FileNameEdt->x(), SizeGrip->width(), FScale);
    SplitterContainer->setGeometry(r.splitterContainer);
    // Placed at once, not by a layout: a layout would size the splitter only
    // once shown, and a tree opened while showing would clamp to a sliver.
    PTSplitter1->setGeometry(SplitterContainer->ClientRect());
    for (QPushButton* b : {OpenBtn, CancelBtn, HelpBtn})
        b->move(r.buttonLeft, b->y());
    for (QWidget* w : {static_cast<QWidget*>(FileNameEdt), static_cast<QWidget*>(FileNameCbx),
                       static_cast<QWidget*>(FileTypesCbx)})
        w->resize(r.editWidth, w->height());
    SizeGrip->move(r.sizeGrip);
    SizeGrip->raise();
}

// ---- IPTFrmOpenDlg -------------------------------------------------------------

namespace
{

// The controls' events name the control as sender, the components' events
// any object: the one converts to the other; an empty event stays empty.
template <typename Target, typename Source> void Forward(Target& target, const Source& source)
{
    if (source)
        target = source;
    else
        target = nullptr;
}

} // namespace

void TPTFrmOpenDlg::SetOnAddListItem(TPTShAddItemEvent event)
{
    Forward(PTShellList1->OnAddItem, event);
}

void TPTFrmOpenDlg::SetOnAddTreeItem(TPTShAddItemEvent event)
{
    Forward(PTShellTree1->OnAddItem, event);
}

void TPTFrmOpenDlg::SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent event)
{
    Forward(PTShellList1->OnCustomDrawSh, event);
}

void TPTFrmOpenDlg::SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent event)
{
    Forward(PTShellList1->OnCustomDrawShEx, event);
}

void TPTFrmOpenDlg::SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent event)
{
    Forward(PTShellTree1->OnCustomDrawSh, event);
}

void TPTFrmOpenDlg::SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent event)
{
    Forward(PTShellTree1->OnCustomDrawShEx, event);
}

void TPTFrmOpenDlg::SetInitialDir(const QString& dir)
{
    FInitialDir = dir;
    if (!dir.isEmpty())
        PTShellList1->Folder().SetPathName(dir);
}

void TPTFrmOpenDlg::SetFilename(const QString& name)
{
    FileNameEdt->setText(name);
}

QString TPTFrmOpenDlg::GetFilename() const
{
    if (!FShown)
        return FileNameEdt->text();
    return FConfirmation.SelectedFiles.value(0);
}

QStringList TPTFrmOpenDlg::GetFiles() const
{
    return FConfirmation.SelectedFiles;
}

void TPTFrmOpenDlg::SetOptions(TPTOpenOptions options)
{
    FOptions = options;
    PTShellList1->SetMultiSelect(options.Contains(ptofAllowMultiselect));
    PTShellTree1->SetOptions(MapOpenOptionsToTree(options, PTShellTree1->Options()));
    PTShellList1->SetOptions(MapOpenOptionsToList(options, PTShellList1->Options()));
    ReadOnlyChk->setHidden(options.Contains(ptofHideReadOnly));
    HelpBtn->setVisible(options.Contains(ptofShowHelp));
    // The panel is as high as what it shows, also when an owner changes the
    // options while the dialog is open.
    FitBottomPanel();
    setAttribute(Qt::WA_AlwaysShowToolTips, options.Contains(ptofShowHints));
    for (QWidget* w : findChildren<QToolButton*>())
        w->setToolTipDuration(options.Contains(ptofShowHints) ? -1 : 1);
}

void TPTFrmOpenDlg::SetFilter(const QString& filter)
{
    FFilter = filter;
    for (const TPTFileTypeEntry& entry : ParseFileTypeFilter(filter)) {
        FileTypesCbx->addItem(entry.description);
        FFileTypePatterns.append(entry.pattern);
    }
}

void TPTFrmOpenDlg::SetFilterIndex(int index)
{
    if (index >= 1 && index <= FileTypesCbx->count()) {
        FileTypesCbx->setCurrentIndex(index - 1);
        FileTypesCbxSelEndOk();
    } else if (FileTypesCbx->count() > 0) {
        FileTypesCbx->setCurrentIndex(0);
    }
}

int TPTFrmOpenDlg::GetFilterIndex() const
{
    if (FileTypesCbx->count() == 0)
        return 0;
    return FileTypesCbx->currentIndex() + 1;
}

void TPTFrmOpenDlg::SetFormSplitterPos(int position)
{
    PTSplitter1->SetPosition(position);
}

int TPTFrmOpenDlg::GetFormSplitterPos() const
{
    return PTSplitter1->Position();
}

void TPTFrmOpenDlg::SetCaption(const QString& text)
{
    setWindowTitle(text);
}

void TPTFrmOpenDlg::SetOpenBtnCaption(const QString& text)
{
    OpenBtn->setText(text);
}

void TPTFrmOpenDlg::SetLookInTxtCaption(const QString& text)
{
    LookInTxt->setText(text);
}

void TPTFrmOpenDlg::SetFilesOfTypeTxtCaption(const QString& text)
{
    FilesOfTypeTxt->setText(text);
}

// The size kept between runs is the client size. The window manager's
// frame is known only once the form shows, after the component has set the
// size, so an outer size kept and set back would grow the form by the frame
// on every run.
void TPTFrmOpenDlg::SetFormWidth(int width)
{
    resize(std::max(minimumWidth(), width), height());
}

void TPTFrmOpenDlg::SetFormHeight(int height)
{
    resize(width(), std::max(minimumHeight(), height));
}

QSize TPTFrmOpenDlg::GetFormRestoredSize() const
{
    return isMaximized() ? normalGeometry().size() : size();
}

void TPTFrmOpenDlg::SetFormWindowState(TWindowState state)
{
    setWindowState(state == wsMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

TWindowState TPTFrmOpenDlg::GetFormWindowState() const
{
    return isMaximized() ? wsMaximized : wsNormal;
}

int TPTFrmOpenDlg::ShowModal()
{
    return exec() == kOk ? kOk : kCancel;
}

void TPTFrmOpenDlg::done(int result)
{
    const int modalResult = result == kOk ? kOk : kCancel;
    bool canClose = true;
    const bool asked = PTEventGuard([&] { FConfirmation.FormCloseQuery(modalResult, canClose); });
    // A failed check keeps the dialog open; Cancel always closes.
    if (modalResult == kOk && (!asked || !canClose))
        return;
    QDialog::done(modalResult);
}

// ---- IPTFileNameForm ---------------------------------------------------------

QString TPTFrmOpenDlg::ShownFolderPath() const
{
    return PTShellList1->Folder().GetPathName();
}

void TPTFrmOpenDlg::OpenFolder(PCItemIDList absoluteIdList)
{
    PTShellCombo1->SelectedFolder().SetIdList(absoluteIdList);
}

void TPTFrmOpenDlg::ApplyUserFilter(const QString& pattern)
{
    FUserFilter = pattern;
    PTShellList1->SetFileFilter(pattern);
}

int TPTFrmOpenDlg::ListItemCount() const
{
    return PTShellList1->ItemCount();
}

QString TPTFrmOpenDlg::ListItemCaption(int index) const
{
    TPTShListData* data = PTShellList1->GetShListData(index);
    return data ? data->GetDisplayName() : QString();
}

QString TPTFrmOpenDlg::ListItemPath(int index) const
{
    TPTShListData* data = PTShellList1->GetShListData(index);
    return data ? data->GetPathName() : QString();
}

int TPTFrmOpenDlg::SelectedListItem() const
{
    for (int row : PTShellList1->SelectedRows()) {
        if (PTShellList1->GetShListData(row))
            return row;
    }
    return -1;
}

void TPTFrmOpenDlg::SelectAndFocusListItem(int index)
{
    PTShellList1->ClearSelection();
    PTShellList1->SetSelected(index, true);
    PTShellList1->SetItemFocused(index);
    PTShellList1->MakeVisible(index);
    PTShellList1->setFocus();
}

QString TPTFrmOpenDlg::FileNameText() const
{
    return FileNameEdt->text();
}

void TPTFrmOpenDlg::SetFileNameText(const QString& text)
{
    FileNameEdt->setText(text);
}

void TPTFrmOpenDlg::SelectAllFileNameText()
{
    FileNameEdt->selectAll();
}

QString TPTFrmOpenDlg::SelectedFileTypePattern() const
{
    return FFileTypePatterns.value(FileTypesCbx->currentIndex());
}

TPTMsgButton TPTFrmOpenDlg::ShowMessage(const TPTMessageBoxRequest& request)
{
    TPTMessageBoxRequest shown = request;
    shown.parent = this;
    shown.caption = windowTitle();
    return PTMessageBox(shown);
}
