#include "dialogs/components/IPTFrmOpenDlg.h"

#include "dialogs/form/TPTFrmOpenDlg.h"

// The one place that names the form class.
TPTFrmOpenDlgFactory PTDefaultFrmOpenDlgFactory()
{
    return [](QWidget* aParent) -> std::unique_ptr<IPTFrmOpenDlg> {
        return std::make_unique<TPTFrmOpenDlg>(aParent);
    };
}
