#include "dialogs/components/TPTOpenDlg.h"
#include "dialogs/components/TPTSaveDlg.h"

#include "app/QtPrinters.h"

#include "platform/Registry.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace
{

// A dialog that is no file dialog: its state is the 9-byte geometry.
class PlainDialog : public TPTDialog
{
  protected:
    bool DoExecute() override { return false; }
};

QByteArray StateOf(const TPTDialog& dlg)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(dlg.WriteStateToStream(buffer));
    return bytes;
}

// Reads bytes into the dialog; whether it took them. A refused stream must
// be left where it was.
bool Read(TPTDialog& dlg, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const bool read = dlg.ReadStateFromStream(buffer);
    if (!read)
        EXPECT_EQ(buffer.pos(), 0);
    return read;
}

TEST(DialogStateTest, FileDialogWritesFourteenLittleEndianBytes)
{
    TPTSaveDlg dlg;
    dlg.FormWidth = 500;
    dlg.FormHeight = 0x01020304;
    dlg.FormWindowState = wsMaximized;
    dlg.SetOptions(dlg.Options() + ptofShowTree);
    dlg.SetFormSplitterPos(-1);

    EXPECT_EQ(StateOf(dlg), QByteArray::fromHex("f4010000"
                                                "04030201"
                                                "02"
                                                "01"
                                                "ffffffff"));

    PlainDialog plain;
    plain.FormWidth = 451;
    EXPECT_EQ(StateOf(plain), QByteArray::fromHex("c3010000ffffffff00"));
}

TEST(DialogStateTest, StateRestoresAnotherDialogAndOnlyItsTreeOption)
{
    TPTSaveDlg saved;
    saved.FormWidth = 640;
    saved.FormHeight = 480;
    saved.FormWindowState = wsMaximized;
    saved.SetOptions(saved.Options() + ptofShowTree);
    saved.SetFormSplitterPos(210);

    TPTOpenDlg other;
    const TPTOpenOptions before = TPTOpenOptions{ptofAllowMultiselect, ptofFileMustExist};
    other.SetOptions(before);
    ASSERT_TRUE(Read(other, StateOf(saved)));

    EXPECT_EQ(other.FormWidth, 640);
    EXPECT_EQ(other.FormHeight, 480);
    EXPECT_EQ(other.FormWindowState, wsMaximized);
    EXPECT_EQ(other.FormSplitterPos(), 210);
    EXPECT_EQ(other.Options(), before + ptofShowTree);

    // A state without the tree takes the tree option away.
    saved.SetOptions(saved.Options() - ptofShowTree);
    ASSERT_TRUE(Read(other, StateOf(saved)));
    EXPECT_EQ(other.Options(), before);
}

TEST(DialogStateTest, ShortOrCorruptStreamsChangeNothing)
{
    const QByteArray good = QByteArray::fromHex("f4010000f401000000"
                                                "01"
                                                "c8000000");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"a plain dialog's 9 bytes", good.left(9)},
        {"one byte short", good.left(13)},
        {"window state 3", QByteArray(good).replace(8, 1, "\x03")},
        {"tree flag 2", QByteArray(good).replace(9, 1, "\x02")},
    };
    for (const auto& c : cases) {
        TPTSaveDlg dlg;
        dlg.FormWidth = 700;
        const QByteArray before = StateOf(dlg);
        EXPECT_FALSE(Read(dlg, c.bytes)) << c.what;
        EXPECT_EQ(StateOf(dlg), before) << c.what;
        EXPECT_EQ(dlg.Options(), kDefaultSaveDlgOptions) << c.what;
    }

    // A plain dialog reads the first 9 bytes of a longer stream.
    PlainDialog plain;
    EXPECT_TRUE(Read(plain, good));
    EXPECT_EQ(plain.FormWidth, 500);
    EXPECT_FALSE(Read(plain, good.left(8)));
}

TEST(DialogStateTest, AbsurdSizesAreClamped)
{
    TPTSaveDlg dlg;
    ASSERT_TRUE(Read(dlg, QByteArray::fromHex("fbffffff" // -5
                                              "ffffff7f" // 2^31 - 1
                                              "00"
                                              "00"
                                              "00000080"))); // -2^31
    EXPECT_EQ(dlg.FormWidth, -1);
    EXPECT_EQ(dlg.FormHeight, kMaxFormExtent);
    EXPECT_EQ(dlg.FormSplitterPos(), -1);
}

class DialogRegistryTest : public ::testing::Test
{
  protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }

    static void Store(const QByteArray& value)
    {
        auto key = TRegistryKey::Open(TRegistryRoot::CurrentUser, kKey, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->WriteBinary(u"State"_s, value));
    }

    static inline const QString kKey = u"Software\\Veldmark\\SaveDlg"_s;
    QTemporaryDir config;
    QByteArray saved = qgetenv("XDG_CONFIG_HOME");
};

TEST_F(DialogRegistryTest, StateSurvivesInTheRegistryStore)
{
    TPTSaveDlg dlg;
    dlg.FormWidth = 800;
    dlg.SetFormSplitterPos(150);
    ASSERT_TRUE(dlg.WriteStateToRegistry(TRegistryRoot::CurrentUser, kKey, u"State"_s));
    EXPECT_EQ(TRegistryKey::Open(TRegistryRoot::CurrentUser, kKey)->ReadBinary(u"State"_s)->size(),
              kFileDlgStateSize);

    TPTSaveDlg next;
    EXPECT_TRUE(next.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kKey, u"State"_s));
    EXPECT_EQ(next.FormWidth, 800);
    EXPECT_EQ(next.FormSplitterPos(), 150);
}

TEST_F(DialogRegistryTest, MissingOrOversizedValuesAreRefused)
{
    TPTSaveDlg dlg;
    const QByteArray before = StateOf(dlg);
    // The first run: nothing stored yet.
    EXPECT_FALSE(dlg.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kKey, u"State"_s));
    Store(QByteArray::fromHex("f4010000f4010000000000000000"));
    EXPECT_FALSE(dlg.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kKey, u"Other"_s));

    QByteArray oversized = QByteArray::fromHex("f4010000f4010000000000000000");
    oversized.append(TPTDialog::kMaxStateValueSize - oversized.size() + 1, '\0');
    Store(oversized);
    EXPECT_FALSE(dlg.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kKey, u"State"_s));
    EXPECT_EQ(StateOf(dlg), before);

    // Up to the limit, what follows the state is left unread.
    oversized.chop(1);
    Store(oversized);
    EXPECT_TRUE(dlg.ReadStateFromRegistry(TRegistryRoot::CurrentUser, kKey, u"State"_s));
    EXPECT_EQ(dlg.FormWidth, 500);
}

} // namespace
