#pragma once

#include "dialogs/components/TPTFileDlg.h"

// The Open dialog: "Open" caption (unless Title is set) and "&Open" button,
// options kDefaultOpenDlgOptions to start with.
class TPTCustomOpenDlg : public TPTFileDlg
{
    Q_OBJECT
  public:
    explicit TPTCustomOpenDlg(QObject* aOwner = nullptr);

  protected:
    void InitForm(IPTFrmOpenDlg& form) override;
};
