#include "dialogs/components/IPTFrmOpenDlg.h"

#include "platform/EPlatformError.h"

// The one place that names the form class: the dialog form of this layer
// registers here. Until it does, Execute reports that it has no form rather
// than showing something else.
TPTFrmOpenDlgFactory PTDefaultFrmOpenDlgFactory()
{
    return [](QWidget*) -> std::unique_ptr<IPTFrmOpenDlg> {
        throw EPlatformError(QStringLiteral("The Open/Save dialog form is not available."));
    };
}
