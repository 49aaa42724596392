#include "FrmOpenDlgDouble.h"

#include "platform/EPlatformError.h"

#include <QApplication>
#include <QCursor>

namespace
{

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

TPTFrmOpenDlgFactory FrmOpenDlgDouble::Factory(FormScript& script)
{
    return [&script](QWidget* parent) -> std::unique_ptr<IPTFrmOpenDlg> {
        script.parent = parent;
        if (script.failAt == QLatin1String("factory"))
            throw EPlatformError(QStringLiteral("form failed"));
        return std::make_unique<FrmOpenDlgDouble>(script);
    };
}

void FrmOpenDlgDouble::Log(const char* name) const
{
    m_script.calls << QString::fromLatin1(name);
    if (m_script.failAt == QLatin1String(name))
        throw EPlatformError(QStringLiteral("form failed"));
}

void FrmOpenDlgDouble::Log(const char* name, const QString& argument) const
{
    Log(name);
    m_script.calls.last() += ' ' + argument;
}

QString FrmOpenDlgDouble::GetFilename() const
{
    if (!shown)
        return fileNameText;
    return m_script.files.isEmpty() ? QString() : m_script.files.first();
}

// The form's confirmation runs only on OK; Cancel leaves no accepted names.
QStringList FrmOpenDlgDouble::GetFiles() const
{
    Log("GetFiles");
    return m_script.modalResult == 1 ? m_script.files : QStringList();
}

void FrmOpenDlgDouble::SetOptions(TPTOpenOptions o)
{
    Log("SetOptions", QStringLiteral("0x%1").arg(o.Value(), 8, 16, QLatin1Char('0')));
    options = o;
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
