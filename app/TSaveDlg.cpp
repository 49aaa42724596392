#include "app/TSaveDlg.h"

#include <QDir>
#include <QFileDialog>

bool TSaveDlg::Execute()
{
    QFileDialog dialog(owner_, QObject::tr("Save As"));
    dialog.setObjectName(QStringLiteral("SaveDlg"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(QDir::currentPath());
    dialog.selectFile(filename_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    filename_ = dialog.selectedFiles().first();
    return true;
}
