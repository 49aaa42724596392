#include "dialogs/components/TPTFileDlg.h"

#include "platform/EPlatformError.h"
#include "shell/Uptshconsts.h"
#include "shellwidgets/TPTBusyCursor.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QScopeGuard>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace
{

constexpr int kModalResultOk = 1;

// The work area the form opens on: a stored size from a larger screen, or an
// absurd one from an edited store, must not make a window nobody can handle.
QSize AvailableScreenSize(QWidget* window)
{
    QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize(kMaxFormExtent, kMaxFormExtent);
}

} // namespace

TPTFileDlg::TPTFileDlg(QObject* aOwner)
    : TPTDialog(aOwner), FFormFactory(PTDefaultFrmOpenDlgFactory())
{
}

TPTFileDlg::~TPTFileDlg() = default;

QString TPTFileDlg::GetFilename() const
{
    if (FForm)
        return FForm->GetFilename();
    return FFiles.isEmpty() ? QString() : FFiles.first();
}

void TPTFileDlg::SetFilename(const QString& name)
{
    FFiles = QStringList{name};
    if (FForm)
        FForm->SetFilename(name);
}

void TPTFileDlg::SetOptions(TPTOpenOptions options)
{
    FOptions = options;
    if (FForm)
        FForm->SetOptions(options);
}

void TPTFileDlg::SetFilter(const QString& filter)
{
    FFilter = filter;
    if (FForm)
        FForm->SetFilter(filter);
}

int TPTFileDlg::GetFilterIndex() const
{
    return FForm ? FForm->GetFilterIndex() : FFilterIndex;
}

void TPTFileDlg::SetFilterIndex(int index)
{
    FFilterIndex = index;
    if (FForm)
        FForm->SetFilterIndex(index);
}

void TPTFileDlg::SetFormSplitterPos(int position)
{
    FFormSplitterPos = position;
    if (FForm)
        FForm->SetFormSplitterPos(position);
}

void TPTFileDlg::SetOnAddListItem(TPTShAddItemEvent event)
{
    FOnAddListItem = std::move(event);
    if (FForm)
        FForm->SetOnAddListItem(FOnAddListItem);
}

void TPTFileDlg::SetOnAddTreeItem(TPTShAddItemEvent event)
{
    FOnAddTreeItem = std::move(event);
    if (FForm)
        FForm->SetOnAddTreeItem(FOnAddTreeItem);
}

bool TPTFileDlg::DoExecute()
{
    if (FForm)
        throw EPlatformError(QStringLiteral("%1 already executing").arg(NameForMessages()));

    // The hourglass covers making and configuring the form; the form shows
    // its own while it opens. Qt's override cursor would stay over the whole
    // modal loop, so it ends before the form shows.
    std::optional<TPTBusyCursor> busy(std::in_place);
    // Declared after the cursor, so on every way out the form goes first;
    // reset() clears Form before the form's destructor runs.
    const auto freeForm = qScopeGuard([this] { FForm.reset(); });

    std::unique_ptr<IPTFrmOpenDlg> form = CreateForm();
    if (!form)
        throw EPlatformError(QStringLiteral("%1: no dialog form").arg(NameForMessages()));
    InitForm(*form);
    FForm = std::move(form);
    DoInitialized();

    busy.reset();
    const bool confirmed = FForm->ShowModal() == kModalResultOk;
    SaveFormSettings(*FForm);
    return confirmed;
}

std::unique_ptr<IPTFrmOpenDlg> TPTFileDlg::CreateForm()
{
    return FFormFactory ? FFormFactory(OwnerWindow()) : nullptr;
}

void TPTFileDlg::InitForm(IPTFrmOpenDlg& form)
{
    form.SetOnAddListItem(FOnAddListItem);
    form.SetOnAddTreeItem(FOnAddTreeItem);
    form.SetOnAddComboItem(FOnAddComboItem);
    form.SetOnLvCustomDrawSh(OnLvCustomDrawSh);
    form.SetOnLvCustomDrawShEx(OnLvCustomDrawShEx);
    form.SetOnTvCustomDrawSh(OnTvCustomDrawSh);
    form.SetOnTvCustomDrawShEx(OnTvCustomDrawShEx);

    form.SetOnFormClose(OnFormClose);
    form.SetOnFormShow(OnFormShow);
    form.SetOnTypeChanged(OnTypeChanged);
    form.SetOnFolderChanged(OnFolderChanged);
    form.SetOnSelectionChanged(OnSelectionChanged);

    form.SetInitialDir(InitialDir);
    form.SetFilename(GetFilename());
    form.SetDefaultExt(DefaultExt);
    form.SetOptions(FOptions);

    const QSize screen = AvailableScreenSize(OwnerWindow());
    if (FormWidth > 0)
        form.SetFormWidth(std::min(FormWidth, screen.width()));
    if (FormHeight > 0)
        form.SetFormHeight(std::min(FormHeight, screen.height()));
    // The form is modal and has no minimize box: opened minimized it would
    // hold the program while nobody can see it.
    form.SetFormWindowState(FormWindowState == wsMinimized ? wsNormal : FormWindowState);

    form.SetFilter(FFilter);
    form.SetFilterIndex(GetFilterIndex());
    form.SetFormSplitterPos(FFormSplitterPos);

    form.SetLookInTxtCaption(PTLoadStr(SLookIn));
    form.SetFilesOfTypeTxtCaption(PTLoadStr(SFilesOfType));

    form.SetHelpContext(HelpContext);
    form.SetOnHelp(OnHelp);
}

void TPTFileDlg::SaveFormSettings(IPTFrmOpenDlg& form)
{
    SetOptions(form.Options());
    FFiles = form.GetFiles();
    const QSize restored = form.GetFormRestoredSize();
    FormWidth = restored.width();
    FormHeight = restored.height();
    FormWindowState = form.GetFormWindowState();
    SetFilterIndex(form.GetFilterIndex());
    SetFormSplitterPos(form.GetFormSplitterPos());
}

QWidget* TPTFileDlg::OwnerWindow() const
{
    for (QObject* o = parent(); o; o = o->parent())
        if (o->isWidgetType())
            return static_cast<QWidget*>(o)->window();
    return nullptr;
}

bool TPTFileDlg::ReadStateFromStream(QIODevice& stream)
{
    const std::optional<TPTFileDlgState> state = DecodeFileDlgState(stream.peek(kFileDlgStateSize));
    if (!state)
        return false;
    stream.skip(kFileDlgStateSize);
    SetDialogState(state->Dialog);
    FOptions.Set(ptofShowTree, state->ShowTree);
    FFormSplitterPos = state->FormSplitterPos;
    return true;
}

bool TPTFileDlg::WriteStateToStream(QIODevice& stream) const
{
    const QByteArray bytes =
        EncodeFileDlgState({DialogState(), FOptions.Contains(ptofShowTree), FFormSplitterPos});
    return stream.write(bytes) == bytes.size();
}
