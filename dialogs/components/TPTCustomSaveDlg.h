#pragma once

#include "dialogs/components/TPTFileDlg.h"

// The Save dialog: "Save As" caption (unless Title is set) and "&Save"
// button, options kDefaultSaveDlgOptions to start with, so an existing file
// is replaced only after the user said so.
class TPTCustomSaveDlg : public TPTFileDlg
{
    Q_OBJECT
  public:
    explicit TPTCustomSaveDlg(QObject* aOwner = nullptr);

  protected:
    void InitForm(IPTFrmOpenDlg& form) override;
};
