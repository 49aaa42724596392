#include "platform/FileNameCodec.h"
#include "shell/utils/FileMask.h"
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

TEST(ParametizeCmdLineDB, ArgumentsThatAreNotUtf8LeadBackToTheSameBytes)
{
    // GIVEN a command line naming a file in Latin-1 and one cut inside a character
    const QByteArray latin1 = "caf\xe9 r\xe9sum\xe9.txt";
    const QByteArray cut = "\xc3";
    QStringList list;
    ParametizeCmdLineDB("open \"" + latin1 + "\" " + cut, list);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(FileNameFromString(list[1]), latin1);
    EXPECT_EQ(FileNameFromString(list[2]), cut);
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

TEST(FileMask, StarsQuestionMarksAndCase)
{
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.txt", "notes.txt", true},
        {"*.txt", "NOTES.TxT", true},
        {"*.txt", "notes.txt~", false},
        {"*.txt", "txt", false},
        {"*", "", true},
        {"*", "anything at all", true},
        {"?", "", false},
        {"?.csv", "a.csv", true},
        {"?.csv", "\xc3\xa9.csv", true}, // one character of two bytes
        {"?.csv", "ab.csv", false},
        {"report*", "Report 2024.csv", true},
        {"*\xc3\xa9*", "CAF\xc3\x89", true}, // case folding beyond ASCII
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbYcZ", false},
        {"a*b*c", "abbbc", true},
        {"**x", "yyx", true},
        {"data_????.csv", "data_2024.csv", true},
        {"data_????.csv", "data_24.csv", false},
        {"*.*", "README", true},
        {"*.?", "README", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileMaskMatches(c.mask, c.name), c.matches) << c.mask << " / " << c.name;
}

TEST(FileMask, NamesThatAreNotUtf8)
{
    // GIVEN a Latin-1 name: each byte that is not UTF-8 is one character
    const std::string_view name = "r\xe9sum\xe9.TXT";
    EXPECT_TRUE(FileMaskMatches("*.txt", name));
    EXPECT_TRUE(FileMaskMatches("r?sum?.txt", name));
    EXPECT_FALSE(FileMaskMatches("r??sum?.txt", name));
    // AND a mask typed with the same bytes (lossless form) matches them exactly
    const QList<QByteArray> masks = SplitFileFilter(FileNameToString(QByteArray("r\xe9*")));
    ASSERT_EQ(masks.size(), 1);
    EXPECT_TRUE(AnyFileMaskMatches(masks, name));
    EXPECT_FALSE(FileMaskMatches("r\xc9*", name)) << "a byte is not a letter to fold";
}

TEST(FileMask, FilterTextSplitsAtSemicolonsAndKeepsBlanks)
{
    const QList<QByteArray> masks = SplitFileFilter(QStringLiteral("*.txt;; *.doc;"));
    EXPECT_EQ(masks, (QList<QByteArray>{"*.txt", " *.doc"}));
    EXPECT_TRUE(AnyFileMaskMatches(masks, "a.TXT"));
    EXPECT_FALSE(AnyFileMaskMatches(masks, "a.doc")) << "the blank is part of the mask";
    EXPECT_TRUE(AnyFileMaskMatches(masks, " a.doc"));
}
