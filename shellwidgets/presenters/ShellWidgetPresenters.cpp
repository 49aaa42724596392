#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include "shell/PTMessageBox.h"
#include "shell/fileops/DropMenu.h"
#include "shell/menus/ItemProperties.h"
#include "shellwidgets/presenters/WidgetDropMenu.h"
#include "shellwidgets/presenters/WidgetMessageBox.h"
#include "shellwidgets/presenters/WidgetPropertiesDialog.h"

void InstallShellWidgetPresenters()
{
    if (!HasPTMessageBoxPresenter())
        SetPTMessageBoxPresenter(ShowWidgetMessageBox);
    if (!HasDropMenuPresenter())
        SetDropMenuPresenter(ShowWidgetDropMenu);
    if (!HasItemPropertiesPresenter())
        SetItemPropertiesPresenter(ShowWidgetPropertiesDialog);
}
