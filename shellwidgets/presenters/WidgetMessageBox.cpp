#include "shellwidgets/presenters/WidgetMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

static_assert(int(ptmbOk) == QMessageBox::Ok && int(ptmbYes) == QMessageBox::Yes &&
              int(ptmbYesToAll) == QMessageBox::YesToAll && int(ptmbNo) == QMessageBox::No &&
              int(ptmbNoToAll) == QMessageBox::NoToAll && int(ptmbAbort) == QMessageBox::Abort &&
              int(ptmbRetry) == QMessageBox::Retry && int(ptmbIgnore) == QMessageBox::Ignore &&
              int(ptmbCancel) == QMessageBox::Cancel);

namespace
{

QMessageBox::Icon toolkitIcon(TPTMsgIcon icon)
{
    switch (icon) {
    case TPTMsgIcon::None:
        return QMessageBox::NoIcon;
    case TPTMsgIcon::Information:
        return QMessageBox::Information;
    case TPTMsgIcon::Warning:
        return QMessageBox::Warning;
    case TPTMsgIcon::Critical:
        return QMessageBox::Critical;
    case TPTMsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

TPTMsgButton ShowWidgetMessageBox(const TPTMessageBoxRequest& request)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning("%s", qPrintable(request.text));
        return ptmbNone;
    }
    QWidget* parent = request.parent ? request.parent : QApplication::activeWindow();
    const QString caption =
        request.caption.isEmpty() ? QGuiApplication::applicationDisplayName() : request.caption;
    QMessageBox box(toolkitIcon(request.icon), caption, request.text,
                    QMessageBox::StandardButtons(int(request.buttons)), parent);
    for (const auto& [button, text] : request.buttonTexts)
        if (QAbstractButton* shown = box.button(static_cast<QMessageBox::StandardButton>(button)))
            shown->setText(text);
    if (request.defaultButton != ptmbNone)
        box.setDefaultButton(static_cast<QMessageBox::StandardButton>(request.defaultButton));
    return static_cast<TPTMsgButton>(box.exec());
}
