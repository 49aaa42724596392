#include "shell/utils/ShellShortCuts.h"
#include "shell/utils/TextUtils.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

TEST(ParametizeCmdLineDB, SplitsOnBlanksAndKeepsQuotedArgumentsWhole)
{
    struct Case {
        QByteArray line;
        QStringList expected;
    };
    const Case cases[] = {
        {R"(prog "C:\My Files\a.txt" /s)", {"prog", R"(C:\My Files\a.txt)", "/s"}},
        {R"("")", {}},
        {R"("  spaced   " x)", {"  spaced", "x"}},
        {"a\tb  c", {"a", "b", "c"}},
        {R"(ab"cd ef"gh)", {"ab", "cd ef", "gh"}},
        {"", {}},
        {"   ", {}},
        {"grüße \"ünï cødé\"", {"grüße", "ünï cødé"}},
    };
    for (const Case& c : cases) {
        QStringList list{"existing"};
        ParametizeCmdLineDB(c.line, list);
        EXPECT_EQ(list, QStringList{"existing"} + c.expected) << c.line.constData();
    }
}

TEST(TextUtilsDB, TrimAndCopyNeverSplitACharacter)
{
    EXPECT_EQ(TrimRightDB("    "), QByteArray());
    EXPECT_EQ(TrimRightDB("ab \t\r\n"), QByteArray("ab"));
    EXPECT_EQ(TrimRightDB("x€"), QByteArray("x€")); // the euro sign's bytes are all >= 0x80

    const QByteArray source = "a€b";
    QByteArray dest;
    qsizetype position = 1;
    CopyCharDB(position, source, dest);
    EXPECT_EQ(position, 2);
    CopyCharDB(position, source, dest);
    EXPECT_EQ(position, 5); // three bytes for the euro sign
    EXPECT_EQ(dest, QByteArray("a€"));
    // A truncated sequence at the end is copied as what there is.
    const QByteArray cut = QByteArray("€").left(2);
    position = 1;
    dest.clear();
    CopyCharDB(position, cut, dest);
    EXPECT_EQ(dest, cut);
    EXPECT_EQ(position, 3);
}

TEST(ShellShortCuts, CodesAndTextsBothWays)
{
    EXPECT_EQ(ShortCutToText(scCtrl | 'A'), "Ctrl+A");
    EXPECT_EQ(ShortCutToText(46), "Del");
    EXPECT_EQ(ShortCutToText(116), "F5");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | 33), "Shift+Ctrl+Alt+PgUp");
    EXPECT_EQ(ShortCutToText(98), "2"); // numeric pad
    EXPECT_EQ(ShortCutToText(200), "#200");

    EXPECT_EQ(TextToShortCut("Ctrl+A"), scCtrl | 'A');
    EXPECT_EQ(TextToShortCut("^c"), scCtrl | 'C');
    EXPECT_EQ(TextToShortCut("alt+shift+f2"), scAlt | scShift | 113);
    EXPECT_EQ(TextToShortCut("del"), 46);
    EXPECT_EQ(TextToShortCut("#200"), 200);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Banana"), 0);
    EXPECT_EQ(TextToShortCut("2"), '2'); // the main row's digit comes before the pad's
}

TEST(ShellShortCuts, TheSevenKeysComeFromTheStringTable)
{
    EXPECT_EQ(ShellShortCut(TShKey::SelectAll), scCtrl | 'A');
    EXPECT_EQ(ShellShortCut(TShKey::Delete), 46);
    EXPECT_EQ(ShellShortCut(TShKey::Copy), scCtrl | 'C');
    EXPECT_EQ(ShellShortCut(TShKey::Cut), scCtrl | 'X');
    EXPECT_EQ(ShellShortCut(TShKey::Paste), scCtrl | 'V');
    EXPECT_EQ(ShellShortCut(TShKey::Refresh), 116);
    EXPECT_EQ(ShellShortCut(TShKey::Edit), 113);

    const QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(ctrlA), ShellShortCut(TShKey::SelectAll));
    const QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(f2), ShellShortCut(TShKey::Edit));
    const QKeyEvent pad(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier);
    EXPECT_EQ(ShortCutFromKeyEvent(pad), 99);
}
