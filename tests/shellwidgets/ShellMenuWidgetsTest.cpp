#include "shellwidgets/menus/ShellMenuWidgets.h"
#include "shell/menus/ItemProperties.h"
#include "shell/menus/TShellMenu.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ShellMenuWidgets, AMenuDescriptionBecomesAQMenu)
{
    TShellMenu description;
    TShellMenuItem open = TShellMenuItem::Command(50, QStringLiteral("&Open"));
    open.isDefault = true;
    description.Insert(
        0, {open, TShellMenuItem::Separator(),
            TShellMenuItem::Submenu(QStringLiteral("Se&nd To"),
                                    {TShellMenuItem::Command(0, QStringLiteral("(empty)"), false)}),
            TShellMenuItem::Command(68, QStringLiteral("Rena&me"))});
    QMenu menu;
    FillQMenu(&menu, description);
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->data().toUInt(), 50u);
    EXPECT_EQ(menu.defaultAction(), actions[0]);
    EXPECT_TRUE(actions[0]->font().bold());
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_TRUE(actions[2]->menu());
    ASSERT_EQ(actions[2]->menu()->actions().size(), 1);
    EXPECT_FALSE(actions[2]->menu()->actions()[0]->isEnabled());
    EXPECT_EQ(actions[3]->data().toUInt(), 68u);
    EXPECT_EQ(actions[3]->text(), QStringLiteral("Rena&me"));
}

TEST(ShellMenuWidgets, PropertiesShowInADialogAsPlainText)
{
    InstallShellWidgetPresenters();
    TItemProperties properties;
    properties.name = QStringLiteral("<b>report</b>.csv");
    properties.type = QStringLiteral("CSV document");
    properties.location = QStringLiteral("/home/user");
    properties.size = QStringLiteral("5 bytes");
    properties.modified = QStringLiteral("today");
    properties.permissions = QStringLiteral("rw-r--r-- (644)");
    QStringList shown;
    bool plain = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("ItemPropertiesDialog"));
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            shown << label->text();
            if (label->text() == properties.name)
                plain = label->textFormat() == Qt::PlainText;
        }
        dialog->reject();
    });
    ShowItemProperties(properties);
    for (const QString& value : {properties.name, properties.type, properties.location,
                                 properties.size, properties.modified, properties.permissions})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();
    EXPECT_TRUE(plain);
}
