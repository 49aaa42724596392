#include "shell/PTMessageBox.h"
#include "shell/fileops/DropMenu.h"
#include "shell/shell95/OleConstants.h"
#include "shellwidgets/presenters/ShellWidgetPresenters.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// The shell layer holds no widgets; once the presenters are installed, its
// requests become real modal boxes and menus, answered here from a timer.

TEST(ShellWidgetPresenters, MessageBoxShowsTheRequestAndReturnsThePressedButton)
{
    InstallShellWidgetPresenters();
    QString seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenIcon = box->icon();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::YesToAll)->click();
    });
    TPTMessageBoxRequest request;
    request.icon = TPTMsgIcon::Question;
    request.text = QStringLiteral("Replace \"a.csv\"?");
    request.buttons = ptmbYes | ptmbYesToAll | ptmbNo | ptmbCancel;
    request.defaultButton = ptmbNo;
    EXPECT_EQ(PTMessageBox(request), ptmbYesToAll);
    EXPECT_EQ(seenText, request.text);
    EXPECT_EQ(seenIcon, QMessageBox::Question);
}

TEST(ShellWidgetPresenters, TestHandlerStillAnswersBeforeThePresenter)
{
    InstallShellWidgetPresenters();
    const auto previous =
        SetPTMessageBoxHandler([](const TPTMessageBoxRequest&) { return ptmbNo; });
    EXPECT_EQ(PTMessageBox(TPTMessageBoxRequest{}), ptmbNo);
    SetPTMessageBoxHandler(previous);
}

TEST(ShellWidgetPresenters, DropMenuOffersOnlyTheAllowedEffects)
{
    InstallShellWidgetPresenters();
    QStringList texts;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* move = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            texts << action->text();
            if (action->data().toUInt() == DROPEFFECT_MOVE)
                move = action;
        }
        ASSERT_NE(move, nullptr);
        menu->setActiveAction(move);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QWidget owner;
    owner.show();
    EXPECT_EQ(ShowDropMenu(&owner, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY),
              DROPEFFECT_MOVE);
    EXPECT_EQ(texts, QStringList({"&Copy Here", "&Move Here", "Cancel"}));
}
