#include "dialogs/filename/PathCombination.h"
#include "dialogs/filename/QuotedNames.h"
#include "dialogs/filename/TPosixPathSyntax.h"
#include "dialogs/filename/TWindowsPathSyntax.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace
{

struct CombineCase {
    const char16_t* folder;
    const char16_t* typed;
    const char16_t* expected;
};

void ExpectCombinations(const TPathSyntax& syntax, std::initializer_list<CombineCase> cases)
{
    for (const CombineCase& c : cases) {
        const std::optional<QString> result =
            CombinePath(syntax, QString::fromUtf16(c.folder), QString::fromUtf16(c.typed));
        ASSERT_TRUE(result.has_value()) << QString::fromUtf16(c.typed).toStdString();
        EXPECT_EQ(result->toStdString(), QString::fromUtf16(c.expected).toStdString())
            << "folder " << QString::fromUtf16(c.folder).toStdString() << ", typed "
            << QString::fromUtf16(c.typed).toStdString();
    }
}

} // namespace

TEST(WindowsPathSyntax, CombinesTypedNamesWithTheShownFolder)
{
    ExpectCombinations(
        TWindowsPathSyntax(),
        {
            {uR"(C:\F)", u"a.csv", uR"(C:\F\a.csv)"},
            {uR"(C:\F\)", u"a.csv", uR"(C:\F\a.csv)"},
            {uR"(C:\)", u"a.csv", uR"(C:\a.csv)"},
            {uR"(C:\F)", uR"(sub\a.csv)", uR"(C:\F\sub\a.csv)"},
            {uR"(C:\F)", uR"(.\a.csv)", uR"(C:\F\a.csv)"},
            // One level below the root, two dots reach the root; two levels
            // below, three dots do.
            {uR"(C:\F)", uR"(..\a.csv)", uR"(C:\a.csv)"},
            {uR"(C:\F\G)", uR"(...\a.csv)", uR"(C:\a.csv)"},
            {uR"(C:\F)", uR"(..\..\..\a.csv)", uR"(C:\a.csv)"},
            // An empty segment ends the walk.
            {uR"(C:\F)", uR"(sub\\a.csv)", uR"(C:\F\sub)"},
            {uR"(C:\F)", uR"(sub\)", uR"(C:\F\sub)"},
            // Drive letters: alone the root, otherwise as typed (drive-relative too).
            {uR"(C:\F)", u"D:", uR"(D:\)"},
            {uR"(C:\F)", u"D:x.csv", u"D:x.csv"},
            {uR"(C:\F)", uR"(D:\x\..\y.csv)", uR"(D:\x\..\y.csv)"},
            // A rooted name takes the drive or the share of the shown folder.
            {uR"(C:\F)", uR"(\x.csv)", uR"(C:\x.csv)"},
            {uR"(\\srv\share\F)", uR"(\x.csv)", uR"(\\srv\share\x.csv)"},
            {u"", uR"(\x.csv)", uR"(\x.csv)"},
            // Network names stand as typed; their root is the share.
            {uR"(C:\F)", uR"(\\srv\share\x.csv)", uR"(\\srv\share\x.csv)"},
            {uR"(\\srv\share\F)", uR"(..\..\x.csv)", uR"(\\srv\share\x.csv)"},
            // Without a folder a relative result loses what it cannot keep.
            {u"", uR"(a\..\..\b)", u"b"},
            {uR"(C:\F)", u"", u""},
        });
}

TEST(PosixPathSyntax, CombinesTypedNamesWithTheShownFolder)
{
    const QString home = QDir::homePath();
    ExpectCombinations(TPosixPathSyntax(), {
                                               {u"/w", u"a.csv", u"/w/a.csv"},
                                               {u"/w/", u"a.csv", u"/w/a.csv"},
                                               {u"/", u"a.csv", u"/a.csv"},
                                               {u"/w/x", u"../a.csv", u"/w/a.csv"},
                                               {u"/w", u"../../../a", u"/a"},
                                               {u"/w", u"./a", u"/w/a"},
                                               // "..." is a name here, doubled slashes are one.
                                               {u"/w", u"...", u"/w/..."},
                                               {u"/w", u"a//b", u"/w/a/b"},
                                               {u"/w", u"sub/", u"/w/sub"},
                                               {u"/w", u"/etc/./x/../hosts", u"/etc/hosts"},
                                               {u"/w", u"~x", u"/w/~x"},
                                               {u"/w", u"", u""},
                                           });
    TPosixPathSyntax syntax;
    EXPECT_EQ(CombinePath(syntax, u"/w"_s, u"~"_s), home);
    EXPECT_EQ(CombinePath(syntax, u"/w"_s, u"~/d/../x.csv"_s), home + u"/x.csv"_s);
}

TEST(PathSyntax, RefusesWhatTheFileSystemCannotHoldInsteadOfCutting)
{
    TPosixPathSyntax posix;
    // Names count in bytes: 127 two-byte characters fit, 128 do not.
    EXPECT_TRUE(CombinePath(posix, u"/w"_s, QString(127, QChar(0xE9))));
    EXPECT_FALSE(CombinePath(posix, u"/w"_s, QString(128, QChar(0xE9))));
    EXPECT_TRUE(CombinePath(posix, u"/w"_s, QString(255, u'n')));
    EXPECT_FALSE(CombinePath(posix, u"/w"_s, QString(256, u'n')));
    // The whole path: "/" and components of 200 bytes up to 4095 bytes.
    QString deep;
    while (deep.size() + 201 <= 4095)
        deep += u'/' + QString(200, u'd');
    const QString rest = QString(4095 - deep.size() - 1, u'e');
    EXPECT_EQ(CombinePath(posix, deep, rest).value_or(QString()).size(), 4095);
    EXPECT_FALSE(CombinePath(posix, deep, rest + u'e'));
    // Going up again inside the typed text does not make an overlong name fit.
    EXPECT_FALSE(CombinePath(posix, u"/w"_s, QString(256, u'n') + u"/.."_s));

    TWindowsPathSyntax windows;
    const QString folder = uR"(C:\)"_s + QString(197, u'f'); // 200 characters
    EXPECT_EQ(CombinePath(windows, folder, QString(59, u'n')).value_or(QString()).size(), 260);
    EXPECT_FALSE(CombinePath(windows, folder, QString(60, u'n')));
    EXPECT_FALSE(CombinePath(windows, u"C:\\F"_s, u"D:\\"_s + QString(258, u'n')));
}

TEST(PathSyntax, CharacterCheck)
{
    TWindowsPathSyntax windows;
    EXPECT_TRUE(windows.PassesCharacterCheck(uR"(\\srv\share\a b*.csv)"_s));
    for (const char16_t* invalid : {u"a|b", u"a/b", u"a<b", u"a>b", uR"(C:\a\\b)", uR"(\\\x)"})
        EXPECT_FALSE(windows.PassesCharacterCheck(QString::fromUtf16(invalid)))
            << QString::fromUtf16(invalid).toStdString();

    TPosixPathSyntax posix;
    EXPECT_TRUE(posix.PassesCharacterCheck(uR"(a|b<c>d\\e:f)"_s));
    EXPECT_FALSE(posix.PassesCharacterCheck(u"a"_s + QChar(0) + u"b"_s));
    EXPECT_FALSE(posix.CanHoldCharacters(u"a"_s + QChar(0)));
}

TEST(PathSyntax, NameFolderAndExtensionParts)
{
    TWindowsPathSyntax windows;
    EXPECT_EQ(windows.NamePart(uR"(C:\a.d\x.csv)"_s), u"x.csv");
    EXPECT_EQ(windows.FolderPart(uR"(C:\a.d\x.csv)"_s), uR"(C:\a.d\)");
    EXPECT_EQ(windows.NamePart(u"C:x.csv"_s), u"x.csv");
    EXPECT_EQ(windows.ExtensionOf(uR"(C:\a.d\x)"_s), u"");

    TPosixPathSyntax posix;
    EXPECT_EQ(posix.FolderPart(u"/a/b.tar.gz"_s), u"/a/");
    EXPECT_EQ(posix.ExtensionOf(u"/a/b.tar.gz"_s), u".gz");
    EXPECT_EQ(posix.ExtensionOf(u"/a.d/profile"_s), u"");
    EXPECT_EQ(posix.ExtensionOf(u"/a/.profile"_s), u"");
    EXPECT_EQ(posix.ExtensionOf(u"/a/x:y.csv"_s), u".csv");
}

TEST(QuotedNames, SplitsLikeTheFileNameBoxShowsThem)
{
    const std::pair<const char16_t*, QStringList> cases[] = {
        {uR"("a b.csv" "c.csv")", {u"a b.csv"_s, u"c.csv"_s}},
        {uR"(  "a"b)", {u"a"_s, u"b"_s}},
        // An unquoted run keeps its spaces up to the next quote.
        {uR"(x y"z")", {u"x y"_s, u"z"_s}},
        {uR"("a  " "")", {u"a"_s}},
        {uR"("")", {}},
        {uR"("unterminated )", {u"unterminated"_s}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SplitQuotedNames(QString::fromUtf16(text)), expected)
            << QString::fromUtf16(text).toStdString();
}
