#include "dialogs/components/TPTCustomOpenDlg.h"

#include "shell/Uptshconsts.h"

TPTCustomOpenDlg::TPTCustomOpenDlg(QObject* aOwner) : TPTFileDlg(aOwner)
{
    SetOptions(kDefaultOpenDlgOptions);
}

void TPTCustomOpenDlg::InitForm(IPTFrmOpenDlg& form)
{
    TPTFileDlg::InitForm(form);
    form.SetCaption(Title.isEmpty() ? PTLoadStr(SOpenCaption) : Title);
    form.SetOpenBtnCaption(PTLoadStr(SOpenButton));
}
