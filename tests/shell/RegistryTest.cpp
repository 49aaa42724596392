#include "platform/Registry.h"
#include "shell/utils/PTClsidFromFileType.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every test gets its own config home, so the store starts empty.
class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir config;
    QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    void SetUp() override { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }

    static void Register(const QString& path, const QString& value)
    {
        auto key = TRegistryKey::Open(TRegistryRoot::ClassesRoot, path, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->WriteString(QString(), value));
    }
};

} // namespace

TEST_F(RegistryTest, KeysAndValuesPersistAndMatchWithoutCase)
{
    EXPECT_FALSE(TRegistryKey::Open(TRegistryRoot::CurrentUser, "Software\\Veldmark"));
    auto key = TRegistryKey::Open(TRegistryRoot::CurrentUser, "Software\\Veldmark\\Dialog", true);
    ASSERT_TRUE(key);
    const QByteArray state("\x01\x00\xff\x10", 4);
    EXPECT_TRUE(key->WriteBinary("State", state));
    EXPECT_TRUE(key->WriteString(QString(), "default text"));

    auto again = TRegistryKey::Open(TRegistryRoot::CurrentUser, "software\\VELDMARK\\dialog");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadBinary("State"), state);
    EXPECT_EQ(again->ReadString(QString()), QString("default text"));
    EXPECT_FALSE(again->ReadString("Missing"));
    EXPECT_TRUE(again->DeleteValue("State"));
    EXPECT_FALSE(again->ReadBinary("State"));
    // An empty key still exists.
    EXPECT_TRUE(TRegistryKey::Open(TRegistryRoot::CurrentUser, "Software\\Veldmark")->HasSubKey("DIALOG"));
}

TEST_F(RegistryTest, ExtensionsKnownToTheMimeDatabaseExistUnderTheClassesRoot)
{
    auto txt = TRegistryKey::Open(TRegistryRoot::ClassesRoot, ".txt");
    ASSERT_TRUE(txt);
    EXPECT_EQ(txt->ReadString(QString()), QString("text/plain"));
    EXPECT_FALSE(TRegistryKey::Open(TRegistryRoot::ClassesRoot, ".no-such-extension-here"));
    EXPECT_FALSE(TRegistryKey::Open(TRegistryRoot::CurrentUser, ".txt"));
}

TEST_F(RegistryTest, ClsidFromFileTypeFollowsTheLookupOrder)
{
    const TGUID expected{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    const QString text = "{12345678-9abc-def0-0102-030405060708}";
    TGUID clsid{};

    // 1. The value itself, "CLSID\" in any case.
    Register(".vm1", "CLSID\\" + text);
    EXPECT_TRUE(PTClsidFromFileType(".vm1", clsid));
    EXPECT_EQ(clsid, expected);

    // 2. The type's own CLSID subkey.
    Register(".vm2", "Veldmark.Two");
    Register(".vm2\\CLSID", text);
    clsid = {};
    EXPECT_TRUE(PTClsidFromFileType(".vm2", clsid));
    EXPECT_EQ(clsid, expected);

    // 3. The program identifier's CLSID subkey.
    Register(".vm3", "Veldmark.Three");
    Register("Veldmark.Three\\CLSID", text);
    clsid = {};
    EXPECT_TRUE(PTClsidFromFileType(".vm3", clsid));
    EXPECT_EQ(clsid, expected);

    Register(".vm4", "clsid\\not-a-guid");
    EXPECT_FALSE(PTClsidFromFileType(".vm4", clsid));
    EXPECT_FALSE(PTClsidFromFileType(".unregistered-type", clsid));
    EXPECT_FALSE(PTClsidFromFileType(".txt", clsid)); // known type, no class
    EXPECT_FALSE(TRegistryKey::Open(TRegistryRoot::ClassesRoot, ".unregistered-type"));
}

TEST_F(RegistryTest, NamesWithSlashesAreKeysOfTheirOwn)
{
    // GIVEN a class registered under a MIME type's name, the program
    // identifier the store gives every known extension
    const QString text = "{12345678-9abc-def0-0102-030405060708}";
    Register("text/plain\\CLSID", text);
    // THEN the key is found again, as one key, and the file type reaches it
    auto mime = TRegistryKey::Open(TRegistryRoot::ClassesRoot, "Text/Plain");
    ASSERT_TRUE(mime);
    EXPECT_TRUE(mime->HasSubKey("clsid"));
    EXPECT_FALSE(TRegistryKey::Open(TRegistryRoot::ClassesRoot, "text"));
    TGUID clsid{};
    EXPECT_TRUE(PTClsidFromFileType(".txt", clsid));

    // Value names with slashes are single values too.
    auto key = TRegistryKey::Open(TRegistryRoot::CurrentUser, "Software\\Veldmark", true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->WriteString("a/b", "slash"));
    EXPECT_TRUE(key->WriteString("a\\b", "backslash"));
    EXPECT_EQ(key->ReadString("a/b"), QString("slash"));
    EXPECT_EQ(key->ReadString("a\\b"), QString("backslash"));
    EXPECT_FALSE(key->HasSubKey("v_a"));
}
