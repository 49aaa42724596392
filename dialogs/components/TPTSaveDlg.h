#pragma once

#include "dialogs/components/TPTCustomSaveDlg.h"

// The Save dialog an owner places. Its properties are those of TPTFileDlg
// and TPTDialog; there is no form designer, so nothing more is published.
class TPTSaveDlg final : public TPTCustomSaveDlg
{
    Q_OBJECT
  public:
    using TPTCustomSaveDlg::TPTCustomSaveDlg;
};
