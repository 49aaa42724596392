#include "FileDialogAnswer.h"

#include "ModalWatcher.h"

#include "dialogs/filename/IPTFileNameForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace
{

template <typename T> T* Control(QWidget* dialog, const char* name)
{
    T* control = dialog->findChild<T*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

} // namespace

void AnswerFileDialog(TFileDialogSeen* seen, const QString& answer,
                      std::function<void(QDialog& dialog)> before)
{
    OnNextModal([=](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->objectName(), QStringLiteral("PTFrmOpenDlg"));
        auto* nameBox = Control<QLineEdit>(dialog, "FileNameEdt");
        auto* types = Control<QComboBox>(dialog, "FileTypesCbx");
        auto* ok = Control<QPushButton>(dialog, "OpenBtn");
        auto* cancel = Control<QPushButton>(dialog, "CancelBtn");
        auto* treeButton = Control<QAbstractButton>(dialog, "ShowTreeBtn");
        ASSERT_TRUE(nameBox && types && ok && cancel && treeButton);
        seen->title = dialog->windowTitle();
        seen->name = nameBox->text();
        if (auto* form = dynamic_cast<IPTFileNameForm*>(dialog))
            seen->folder = form->ShownFolderPath();
        seen->types.clear();
        for (int i = 0; i < types->count(); ++i)
            seen->types << types->itemText(i);
        seen->size = dialog->size();
        seen->treeShown = treeButton->isChecked();
        if (before)
            before(*dialog);
        if (!answer.isEmpty()) {
            nameBox->setText(answer);
            ok->click();
        }
        if (dialog->isVisible())
            cancel->click();
    });
}
