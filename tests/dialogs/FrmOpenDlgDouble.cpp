#include "FrmOpenDlgDouble.h"

#include "platform/EPlatformError.h"

#include <QApplication>

namespace
{

template <typename Event> QString IsSet(const Event& e)
{
    return e ? QStringLiteral("set") : QStringLiteral("-");
}

int CursorShape()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

} // namespace

FrmOpenDlgDouble::FrmOpenDlgDouble(FormScript& script) : m_script(script)
{
    ++m_script.made;
    m_script.cursorWhenMade = CursorShape();
}

FrmOpenDlgDouble::~FrmOpenDlgDouble()
{
    ++m_script.deleted;
}

TPTFrmOpenDlgFactory FrmOpenDlgDouble::Factory(FormScript& script)
{
    return [&script](QWidget* parent) -> std::unique_ptr<IPTFrmOpenDlg> {
        script.parent = parent;
        if (script.failAt == QLatin1String("factory"))
            throw EPlatformError(QStringLiteral("form failed"));
        return std::make_unique<FrmOpenDlgDouble>(script);
    };
}

void FrmOpenDlgDouble::Log(const char* name, const QString& argument) const
{
    Log(name);
    m_script.calls.last() += ' ' + argument;
}

void FrmOpenDlgDouble::Log(const char* name) const
{
    m_script.calls << QString::fromLatin1(name);
    if (m_script.failAt == QLatin1String(name))
        throw EPlatformError(QStringLiteral("form failed"));
}

void FrmOpenDlgDouble::SetOnAddListItem(TPTShAddItemEvent e)
{
    Log("SetOnAddListItem", IsSet(e));
    onAddListItem = std::move(e);
}
void FrmOpenDlgDouble::SetOnAddTreeItem(TPTShAddItemEvent e)
{
    Log("SetOnAddTreeItem", IsSet(e));
}
void FrmOpenDlgDouble::SetOnAddComboItem(TPTShAddItemEvent e)
{
    Log("SetOnAddComboItem", IsSet(e));
}
void FrmOpenDlgDouble::SetOnLvCustomDrawSh(TPTShLvCustomDrawEvent e)
{
    Log("SetOnLvCustomDrawSh", IsSet(e));
}
void FrmOpenDlgDouble::SetOnLvCustomDrawShEx(TPTShLvCustomDrawEvent e)
{
    Log("SetOnLvCustomDrawShEx", IsSet(e));
}
void FrmOpenDlgDouble::SetOnTvCustomDrawSh(TPTShTvCustomDrawEvent e)
{
    Log("SetOnTvCustomDrawSh", IsSet(e));
}
void FrmOpenDlgDouble::SetOnTvCustomDrawShEx(TPTShTvCustomDrawEvent e)
{
    Log("SetOnTvCustomDrawShEx", IsSet(e));
}
void FrmOpenDlgDouble::SetOnFormShow(TNotifyEvent e)
{
    Log("SetOnFormShow", IsSet(e));
    onFormShow = std::move(e);
}
void FrmOpenDlgDouble::SetOnFormClose(TNotifyEvent e)
{
    Log("SetOnFormClose", IsSet(e));
}
void FrmOpenDlgDouble::SetOnFolderChanged(TNotifyEvent e)
{
    Log("SetOnFolderChanged", IsSet(e));
}
void FrmOpenDlgDouble::SetOnSelectionChanged(TNotifyEvent e)
{
    Log("SetOnSelectionChanged", IsSet(e));
}
void FrmOpenDlgDouble::SetOnTypeChanged(TNotifyEvent e)
{
    Log("SetOnTypeChanged", IsSet(e));
}
void FrmOpenDlgDouble::SetOnHelp(THelpEvent e)
{
    Log("SetOnHelp", IsSet(e));
}

void FrmOpenDlgDouble::SetInitialDir(const QString& dir)
{
    Log("SetInitialDir", dir);
}
void FrmOpenDlgDouble::SetFilename(const QString& name)
{
    Log("SetFilename", name);
    fileNameText = name;
}
QString FrmOpenDlgDouble::GetFilename() const
{
    if (!shown)
        return fileNameText;
    return m_script.files.isEmpty() ? QString() : m_script.files.first();
}
QStringList FrmOpenDlgDouble::GetFiles() const
{
    Log("GetFiles");
    return m_script.modalResult == 1 ? m_script.files : QStringList();
}
void FrmOpenDlgDouble::SetDefaultExt(const QString& ext)
{
    Log("SetDefaultExt", ext);
}
void FrmOpenDlgDouble::SetOptions(TPTOpenOptions o)
{
    Log("SetOptions", QStringLiteral("0x%1").arg(o.Value(), 8, 16, QLatin1Char('0')));
    options = o;
}
TPTOpenOptions FrmOpenDlgDouble::Options() const
{
    return options;
}
void FrmOpenDlgDouble::SetFilter(const QString& filter)
{
    Log("SetFilter", filter);
}
void FrmOpenDlgDouble::SetFilterIndex(int index)
{
    Log("SetFilterIndex", QString::number(index));
    filterIndex = index;
}
int FrmOpenDlgDouble::GetFilterIndex() const
{
    return filterIndex;
}
void FrmOpenDlgDouble::SetFormSplitterPos(int position)
{
    Log("SetFormSplitterPos", QString::number(position));
    splitterPos = position;
}
int FrmOpenDlgDouble::GetFormSplitterPos() const
{
    return splitterPos;
}
void FrmOpenDlgDouble::SetCaption(const QString& text)
{
    Log("SetCaption", text);
}
void FrmOpenDlgDouble::SetOpenBtnCaption(const QString& text)
{
    Log("SetOpenBtnCaption", text);
}
void FrmOpenDlgDouble::SetLookInTxtCaption(const QString& text)
{
    Log("SetLookInTxtCaption", text);
}
void FrmOpenDlgDouble::SetFilesOfTypeTxtCaption(const QString& text)
{
    Log("SetFilesOfTypeTxtCaption", text);
}
void FrmOpenDlgDouble::SetHelpContext(int context)
{
    Log("SetHelpContext", QString::number(context));
}
void FrmOpenDlgDouble::SetFormWidth(int width)
{
    Log("SetFormWidth", QString::number(width));
    restoredSize.setWidth(width);
}
void FrmOpenDlgDouble::SetFormHeight(int height)
{
    Log("SetFormHeight", QString::number(height));
    restoredSize.setHeight(height);
}
QSize FrmOpenDlgDouble::GetFormRestoredSize() const
{
    return restoredSize;
}
void FrmOpenDlgDouble::SetFormWindowState(TWindowState state)
{
    Log("SetFormWindowState", QString::number(int(state)));
    windowState = state;
}
TWindowState FrmOpenDlgDouble::GetFormWindowState() const
{
    return windowState;
}

int FrmOpenDlgDouble::ShowModal()
{
    m_script.cursorWhenShown = CursorShape();
    Log("ShowModal");
    shown = true;
    if (m_script.whileShown)
        m_script.whileShown(*this);
    shown = false;
    return m_script.modalResult;
}
