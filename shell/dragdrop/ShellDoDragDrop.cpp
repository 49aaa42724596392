#include "shell/dragdrop/ShellDoDragDrop.h"

#include "shell/PTEventGuard.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/shell95/OleConstants.h"

#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace
{

// Puts the drop source's question at each button or key press of the loop.
class TDropSourceFilter : public QObject
{
  public:
    explicit TDropSourceFilter(IDropSource* source) : m_source(source) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        std::uint32_t keyState = 0;
        bool escape = false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            keyState = KeyStateFromQt(mouse->buttons(), mouse->modifiers());
            break;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            escape = key->key() == Qt::Key_Escape;
            keyState = KeyStateFromQt(QGuiApplication::mouseButtons(), key->modifiers());
            break;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
        // A drop source that fails ends the drag, after saying why.
        HRESULT answer = DRAGDROP_S_CANCEL;
        PTEventGuard([&] { answer = m_source->QueryContinueDrag(escape, keyState); });
        if (answer == DRAGDROP_S_CANCEL) {
            QDrag::cancel();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    IDropSource* m_source;
};

} // namespace

HRESULT ShellDoDragDrop(QObject* dragSource, IDataObject* dataObject, IDropSource* dropSource,
                        std::uint32_t okEffects, std::uint32_t* effect)
{
    if (!dataObject || !dropSource || !effect)
        return E_INVALIDARG;
    *effect = DROPEFFECT_NONE;
    const Qt::DropActions allowed = QtDropActionsFromEffects(okEffects);
    if (!allowed)
        return DRAGDROP_S_CANCEL;
    // Qt deletes the drag object once its loop has ended.
    auto* drag = new QDrag(dragSource);
    drag->setMimeData(MimeDataFromDataObject(dataObject));
    TDropSourceFilter filter(dropSource);
    qApp->installEventFilter(&filter);
    const Qt::DropAction action = drag->exec(allowed, QtDropActionFromEffect(okEffects));
    qApp->removeEventFilter(&filter);
    *effect = DropEffectsFromQt(action);
    return *effect ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}
