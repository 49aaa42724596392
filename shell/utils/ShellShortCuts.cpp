#include "shell/utils/ShellShortCuts.h"

#include "shell/Uptshconsts.h"

#include <QKeyEvent>

#include <array>

namespace {

QString KeyName(int key)
{
    switch (key) {
    case 8: return QStringLiteral("BkSp");
    case 9: return QStringLiteral("Tab");
    case 13: return QStringLiteral("Enter");
    case 27: return QStringLiteral("Esc");
    case 45: return QStringLiteral("Ins");
    case 46: return QStringLiteral("Del");
    }
    static const char* const kNavigation[] = {"Space", "PgUp", "PgDn", "End", "Home",
                                              "Left",  "Up",   "Right", "Down"};
    if (key >= 32 && key <= 40)
        return QString::fromLatin1(kNavigation[key - 32]);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return QString(QChar(key));
    if (key >= 96 && key <= 105)
        return QString(QChar('0' + key - 96));
    if (key >= 112 && key <= 135)
        return QStringLiteral("F%1").arg(key - 111);
    return QStringLiteral("#%1").arg(key);
}

bool StripPrefix(QString& text, const QString& prefix)
{
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return false;
    text.remove(0, prefix.size());
    return true;
}

} // namespace

QString ShortCutToText(TShortCut shortCut)
{
    QString text;
    if (shortCut & scShift)
        text += QStringLiteral("Shift+");
    if (shortCut & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (shortCut & scAlt)
        text += QStringLiteral("Alt+");
    return text + KeyName(shortCut & ~(scShift | scCtrl | scAlt));
}

TShortCut TextToShortCut(const QString& text)
{
    QString rest = text;
    TShortCut modifiers = 0;
    for (;;) {
        if (StripPrefix(rest, QStringLiteral("Shift+")))
            modifiers |= scShift;
        else if (StripPrefix(rest, QStringLiteral("^")) || StripPrefix(rest, QStringLiteral("Ctrl+")))
            modifiers |= scCtrl;
        else if (StripPrefix(rest, QStringLiteral("Alt+")))
            modifiers |= scAlt;
        else
            break;
    }
    if (rest.isEmpty())
        return 0;
    // Past the last named key, codes only have "#" names; 597 bounds the search.
    for (int code = 8; code <= 597; ++code)
        if (rest.compare(ShortCutToText(TShortCut(code)), Qt::CaseInsensitive) == 0)
            return TShortCut(code | modifiers);
    return 0;
}

TShortCut ShortCutFromKeyEvent(const QKeyEvent& event)
{
    const int key = event.key();
    int code = 0;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        code = (event.modifiers() & Qt::KeypadModifier) ? 96 + key - Qt::Key_0 : key;
    else if (key >= Qt::Key_A && key <= Qt::Key_Z)
        code = key;
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        code = 112 + key - Qt::Key_F1;
    else {
        switch (key) {
        case Qt::Key_Backspace: code = 8; break;
        case Qt::Key_Tab: case Qt::Key_Backtab: code = 9; break;
        case Qt::Key_Return: case Qt::Key_Enter: code = 13; break;
        case Qt::Key_Escape: code = 27; break;
        case Qt::Key_Space: code = 32; break;
        case Qt::Key_PageUp: code = 33; break;
        case Qt::Key_PageDown: code = 34; break;
        case Qt::Key_End: code = 35; break;
        case Qt::Key_Home: code = 36; break;
        case Qt::Key_Left: code = 37; break;
        case Qt::Key_Up: code = 38; break;
        case Qt::Key_Right: code = 39; break;
        case Qt::Key_Down: code = 40; break;
        case Qt::Key_Insert: code = 45; break;
        case Qt::Key_Delete: code = 46; break;
        default: return 0;
        }
    }
    TShortCut shortCut = TShortCut(code);
    if (event.modifiers() & Qt::ShiftModifier)
        shortCut |= scShift;
    if (event.modifiers() & Qt::ControlModifier)
        shortCut |= scCtrl;
    if (event.modifiers() & Qt::AltModifier)
        shortCut |= scAlt;
    return shortCut;
}

TShortCut ShellShortCut(TShKey key)
{
    static const std::array<TShortCut, 7> table = [] {
        const TResStringRec texts[] = {SShKey_SelectAll, SShKey_Delete, SShKey_Copy, SShKey_Cut,
                                       SShKey_Paste,     SShKey_Refresh, SShKey_Edit};
        std::array<TShortCut, 7> codes{};
        for (std::size_t i = 0; i < codes.size(); ++i)
            codes[i] = TextToShortCut(PTLoadStr(texts[i]));
        return codes;
    }();
    return table[std::size_t(key)];
}
