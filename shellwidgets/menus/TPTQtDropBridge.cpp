#include "shellwidgets/menus/TPTQtDropBridge.h"

#include "shell/PTEventGuard.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/dragdrop/TMimeDataObject.h"
#include "shell/shell95/OleConstants.h"

#include <QDropEvent>
#include <QWidget>

void TPTQtDropBridge::SetTarget(IDropTarget* target)
{
    m_target = TComPtr<IDropTarget>::share(target);
}

bool TPTQtDropBridge::Handle(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        break;
    case QEvent::DragLeave:
        if (m_data && m_target)
            PTEventGuard([this] { m_target->DragLeave(); });
        m_data.reset();
        return true;
    default:
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    drop->ignore();
    if (!m_target)
        return true;
    TQtDropArguments arguments = DropArgumentsOf(drop);
    const QPoint screen = m_widget->mapToGlobal(QPoint(arguments.point.x, arguments.point.y));
    arguments.point = TPointL{screen.x(), screen.y()};
    std::uint32_t effect = arguments.effect;
    HRESULT hr = E_FAIL;
    PTEventGuard([&] {
        switch (event->type()) {
        case QEvent::DragEnter:
            m_data.reset();
            if (Failed(TMimeDataObject::Create(drop->mimeData(), m_data.put())) || !m_data)
                return;
            hr = m_target->DragEnter(m_data.get(), arguments.keyState, arguments.point, &effect);
            break;
        case QEvent::DragMove:
            if (m_data)
                hr = m_target->DragOver(arguments.keyState, arguments.point, &effect);
            break;
        default: {
            TComPtr<IDataObject> data = std::move(m_data);
            if (!data && Failed(TMimeDataObject::Create(drop->mimeData(), data.put())))
                return;
            hr = m_target->Drop(data.get(), arguments.keyState, arguments.point, &effect);
            break;
        }
        }
    });
    if (event->type() == QEvent::DragEnter && m_data) {
        // Accepting the enter keeps the move events coming even while the
        // point is over nothing that takes the data.
        if (Succeeded(hr) && (effect & ~DROPEFFECT_SCROLL))
            drop->setDropAction(QtDropActionFromEffect(effect & ~DROPEFFECT_SCROLL));
        drop->accept();
        return true;
    }
    AnswerDropEvent(drop, Succeeded(hr) ? effect : DROPEFFECT_NONE);
    return true;
}
