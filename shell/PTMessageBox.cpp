#include "shell/PTMessageBox.h"

#include "shell/TReplaceableCall.h"

#include <QtGlobal>

namespace
{

TReplaceableCall<TPTMessageBoxHandler>& messageBox()
{
    static TReplaceableCall<TPTMessageBoxHandler> call;
    return call;
}

} // namespace

TPTMsgButton PTMessageBox(const TPTMessageBoxRequest& request)
{
    // A copy, so a handler that replaces itself while running stays alive.
    if (const TPTMessageBoxHandler show = messageBox().Current())
        return show(request);
    qWarning("%s", qPrintable(request.text));
    return ptmbNone;
}

TPTMessageBoxHandler SetPTMessageBoxHandler(TPTMessageBoxHandler handler)
{
    return messageBox().SetHandler(std::move(handler));
}

void SetPTMessageBoxPresenter(TPTMessageBoxHandler presenter)
{
    messageBox().SetPresenter(std::move(presenter));
}

bool HasPTMessageBoxPresenter()
{
    return messageBox().HasPresenter();
}
