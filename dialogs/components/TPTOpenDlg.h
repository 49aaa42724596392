#pragma once

#include "dialogs/components/TPTCustomOpenDlg.h"

// The Open dialog an owner places. Its properties are those of TPTFileDlg
// and TPTDialog; there is no form designer, so nothing more is published.
class TPTOpenDlg final : public TPTCustomOpenDlg
{
    Q_OBJECT
  public:
    using TPTCustomOpenDlg::TPTCustomOpenDlg;
};
