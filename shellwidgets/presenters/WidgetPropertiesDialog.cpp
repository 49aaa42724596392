#include "shellwidgets/presenters/WidgetPropertiesDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

void ShowWidgetPropertiesDialog(const TItemProperties& properties)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QDialog dialog(properties.parent ? properties.parent : QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("ItemPropertiesDialog"));
    dialog.setWindowTitle(QStringLiteral("%1 Properties").arg(properties.name));
    auto* form = new QFormLayout;
    const auto row = [&](const QString& label, const QString& value) {
        if (value.isEmpty())
            return;
        auto* text = new QLabel(value);
        // Names and paths are data, never markup; they may be copied.
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        form->addRow(label, text);
    };
    row(QStringLiteral("Name:"), properties.name);
    row(QStringLiteral("Type:"), properties.type);
    row(QStringLiteral("Location:"), properties.location);
    row(QStringLiteral("Size:"), properties.size);
    row(QStringLiteral("Modified:"), properties.modified);
    row(QStringLiteral("Permissions:"), properties.permissions);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}
