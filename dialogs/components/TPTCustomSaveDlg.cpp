#include "dialogs/components/TPTCustomSaveDlg.h"

#include "shell/Uptshconsts.h"

TPTCustomSaveDlg::TPTCustomSaveDlg(QObject* aOwner) : TPTFileDlg(aOwner)
{
    SetOptions(kDefaultSaveDlgOptions);
}

void TPTCustomSaveDlg::InitForm(IPTFrmOpenDlg& form)
{
    TPTFileDlg::InitForm(form);
    form.SetCaption(Title.isEmpty() ? PTLoadStr(SSaveAsCaption) : Title);
    form.SetOpenBtnCaption(PTLoadStr(SSaveButton));
}
