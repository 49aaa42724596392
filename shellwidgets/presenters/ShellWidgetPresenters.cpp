#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include "shell/PTMessageBox.h"
#include "shell/fileops/DropMenu.h"
#include "shellwidgets/presenters/WidgetDropMenu.h"
#include "shellwidgets/presenters/WidgetMessageBox.h"

void InstallShellWidgetPresenters()
{
    if (!HasPTMessageBoxPresenter())
        SetPTMessageBoxPresenter(ShowWidgetMessageBox);
    if (!HasDropMenuPresenter())
        SetDropMenuPresenter(ShowWidgetDropMenu);
}
