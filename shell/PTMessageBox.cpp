#include "shell/PTMessageBox.h"

#include <QtGlobal>

#include <utility>

namespace
{

TPTMessageBoxHandler& installedHandler()
{
    static TPTMessageBoxHandler handler;
    return handler;
}

TPTMessageBoxHandler& installedPresenter()
{
    static TPTMessageBoxHandler presenter;
    return presenter;
}

} // namespace

TPTMsgButton PTMessageBox(const TPTMessageBoxRequest& request)
{
    // Copies, so a handler that replaces itself while running stays alive.
    if (const TPTMessageBoxHandler handler = installedHandler())
        return handler(request);
    if (const TPTMessageBoxHandler presenter = installedPresenter())
        return presenter(request);
    qWarning("%s", qPrintable(request.text));
    return ptmbNone;
}

TPTMessageBoxHandler SetPTMessageBoxHandler(TPTMessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

void SetPTMessageBoxPresenter(TPTMessageBoxHandler presenter)
{
    installedPresenter() = std::move(presenter);
}

bool HasPTMessageBoxPresenter()
{
    return bool(installedPresenter());
}
