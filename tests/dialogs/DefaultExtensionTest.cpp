#include "dialogs/filename/DefaultExtension.h"
#include "dialogs/filename/TPosixPathSyntax.h"
#include "dialogs/filename/TWindowsPathSyntax.h"

#include "shell/NamespaceFixture.h"

#include "platform/Registry.h"

using namespace Qt::StringLiterals;

namespace
{

// Extensions no MIME database knows: one registered in the fixture's own
// classes root, one not.
constexpr char16_t kRegistered[] = u".vmkreg";
constexpr char16_t kUnregistered[] = u".v2zq";

class DefaultExtensionTest : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        ASSERT_TRUE(
            TRegistryKey::Open(TRegistryRoot::ClassesRoot, QString::fromUtf16(kRegistered), true));
    }

    TPosixPathSyntax posix;
};

struct ExtCase {
    QString typed;
    QString defaultExt;
    QString pattern;
    QString expected;
    bool different;
};

} // namespace

TEST_F(DefaultExtensionTest, ClassesRootEntryDecidesWhetherATypedExtensionStays)
{
    EXPECT_TRUE(IsRegisteredFileType(QString::fromUtf16(kRegistered)));
    EXPECT_FALSE(IsRegisteredFileType(QString::fromUtf16(kUnregistered)));

    const QString reg = QString::fromUtf16(kRegistered);
    const QString unreg = QString::fromUtf16(kUnregistered);
    const ExtCase cases[] = {
        // No extension, or a trailing dot: the type's extension, which is the default.
        {u"/w/data"_s, u"csv"_s, u"*.csv"_s, u"/w/data.csv"_s, false},
        {u"/w/data."_s, u"csv"_s, u"*.csv"_s, u"/w/data.csv"_s, false},
        {u"/w/Data.CSV"_s, u"csv"_s, u"*.csv"_s, u"/w/Data.CSV"_s, false},
        // An extension that is no registered type is part of the name.
        {u"/w/data"_s + unreg, u"csv"_s, u"*.csv"_s, u"/w/data"_s + unreg + u".csv"_s, false},
        // A registered type stays, and differs from the default...
        {u"/w/data"_s + reg, u"csv"_s, u"*.csv"_s, u"/w/data"_s + reg, true},
        // ...unless it is the default.
        {u"/w/data"_s + reg, reg.mid(1), u"*.csv"_s, u"/w/data"_s + reg, false},
        // The selected type's extension wins over the default one.
        {u"/w/data"_s, u"csv"_s, u"*.txt"_s, u"/w/data.txt"_s, true},
        {u"/w/data"_s, u"csv"_s, u"*.csv;*.txt"_s, u"/w/data.csv"_s, false},
        // Without a usable pattern the default extension is appended.
        {u"/w/data"_s + unreg, u"csv"_s, u""_s, u"/w/data"_s + unreg + u".csv"_s, false},
        {u"/w/data"_s, u"csv"_s, u"*.*"_s, u"/w/data.csv"_s, false},
        {u"/w/data"_s, u"csv"_s, u"*"_s, u"/w/data.csv"_s, false},
    };
    for (const ExtCase& c : cases) {
        const TDefaultExtension result =
            ApplyDefaultExtension(posix, c.typed, c.defaultExt, c.pattern);
        EXPECT_EQ(result.path, c.expected)
            << c.typed.toStdString() << " / " << c.pattern.toStdString();
        EXPECT_EQ(result.extensionDifferent, c.different)
            << c.typed.toStdString() << " / " << c.pattern.toStdString();
    }
}

TEST_F(DefaultExtensionTest, WindowsNamesTakeTheirExtensionAfterTheLastBackslash)
{
    const TDefaultExtension result =
        ApplyDefaultExtension(TWindowsPathSyntax(), uR"(C:\a.d\data)"_s, u"csv"_s, u"*.csv"_s);
    EXPECT_EQ(result.path, uR"(C:\a.d\data.csv)");
}
