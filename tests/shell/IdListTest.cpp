#include "ShellTestSupport.h"

#include "platform/EPlatformError.h"
#include "shell/UPTShellUtils.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NaturalCompare.h"

#include <cstring>
#include <limits>

#include <sys/stat.h>

namespace
{

QByteArray bytesOf(PCItemIDList list)
{
    return IdListToBytes(list);
}

} // namespace

using IdListPrimitives = ShellAllocTest;

TEST_F(IdListPrimitives, LengthCountsItemsAndTerminator)
{
    EXPECT_EQ(IdListLen(nullptr), 0);
    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    EXPECT_EQ(IdListLen(empty.get()), 2);
    TIdListPtr one(MakeRawIdList({QByteArray(18, 'x')}));
    EXPECT_EQ(IdListLen(one.get()), 22);
    TIdListPtr two(MakeRawIdList({QByteArray(1, 'a'), QByteArray(5, 'b')}));
    EXPECT_EQ(IdListLen(two.get()), 3 + 7 + 2);
    EXPECT_EQ(IdListItemCount(two.get()), 2);
    EXPECT_EQ(IdListItemCount(nullptr), 0);
}

TEST_F(IdListPrimitives, CopyAndConcatKeepTheBytes)
{
    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    ASSERT_TRUE(empty);
    EXPECT_EQ(bytesOf(empty.get()), QByteArray(2, '\0'));

    TIdListPtr parent(MakeRawIdList({"p1", "p22"}));
    TIdListPtr child(MakeRawIdList({"c"}));
    TIdListPtr both(ConcatIdLists(nullptr, parent.get(), child.get()));
    TIdListPtr expected(MakeRawIdList({"p1", "p22", "c"}));
    EXPECT_EQ(bytesOf(both.get()), bytesOf(expected.get()));

    TIdListPtr emptyConcat(ConcatIdLists(nullptr, empty.get(), nullptr));
    EXPECT_EQ(bytesOf(emptyConcat.get()), QByteArray(2, '\0'));

    TIdListPtr copy(CopyIdList(ShellIMalloc(), parent.get()));
    EXPECT_EQ(bytesOf(copy.get()), bytesOf(parent.get()));
    EXPECT_NE(copy.get(), parent.get());
}

TEST_F(IdListPrimitives, CompareAbsIdListsTellsNullFromEmpty)
{
    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    TIdListPtr empty2(CopyIdList(nullptr, nullptr));
    EXPECT_EQ(CompareAbsIdLists(nullptr, empty.get()), -1);
    EXPECT_EQ(CompareAbsIdLists(empty.get(), nullptr), -1);
    EXPECT_EQ(CompareAbsIdLists(empty.get(), empty2.get()), 0);
    EXPECT_EQ(CompareAbsIdLists(nullptr, nullptr), 0);
    // Bytes that are no item of ours cannot be compared.
    TIdListPtr foreign(MakeRawIdList({"\x7f"
                                      "foreign"}));
    TIdListPtr foreign2(MakeRawIdList({"\x7f"
                                       "other"}));
    EXPECT_EQ(CompareAbsIdLists(foreign.get(), foreign2.get()), kCompareIdListsFailed);
    EXPECT_EQ(kCompareIdListsFailed, 2147483647);
}

TEST_F(IdListPrimitives, MalformedBytesAreRefused)
{
    EXPECT_TRUE(IsValidIdListData("\0\0", 2));
    EXPECT_FALSE(IsValidIdListData("\0", 1));
    EXPECT_FALSE(IsValidIdListData("\x02\0\0\0", 4));      // an item of size 2 never advances
    EXPECT_FALSE(IsValidIdListData("\x09\0abc\0\0", 7));   // item runs past the end
    EXPECT_FALSE(IsValidIdListData("\x03\0a\0\0junk", 9)); // data after the terminator
    EXPECT_EQ(IdListFromBytes(nullptr, QByteArray("\x05\0ab", 4)), nullptr);
    TIdListPtr ok(IdListFromBytes(nullptr, QByteArray("\x03\0a\0\0", 5)));
    EXPECT_EQ(IdListLen(ok.get()), 5);
}

TEST_F(IdListPrimitives, AllocatorCountsBlocksAndReallocOfNullAllocatesNothing)
{
    const long before = ShellLiveBlockCount();
    EXPECT_EQ(ShellMemRealloc(nullptr, 10), nullptr);
    EXPECT_EQ(ShellLiveBlockCount(), before);
    void* block = ShellMemAlloc(8);
    EXPECT_EQ(ShellLiveBlockCount(), before + 1);
    block = ShellMemRealloc(block, 4000);
    std::memset(block, 1, 4000);
    EXPECT_EQ(ShellIMalloc()->GetSize(block), 4000u);
    EXPECT_EQ(ShellIMalloc()->DidAlloc(block), 1);
    ShellMemFree(block);
    ShellMemFree(nullptr);
    EXPECT_EQ(ShellLiveBlockCount(), before);
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    EXPECT_EQ(malloc, ShellIMalloc());
    malloc->Release();

    // A size that cannot be had fails; it never wraps round to a tiny block.
    const std::size_t huge = std::numeric_limits<std::size_t>::max() - 4;
    EXPECT_EQ(ShellMemAlloc(huge), nullptr);
    void* kept = ShellMemAlloc(8);
    EXPECT_EQ(ShellMemRealloc(kept, huge), nullptr);
    EXPECT_EQ(ShellIMalloc()->GetSize(kept), 8u); // the block stays as it was
    ShellMemFree(kept);
    EXPECT_EQ(ShellLiveBlockCount(), before);
}

TEST(EnsureTrailingCharDB, AppendsOnlyWhereNeeded)
{
    EXPECT_EQ(EnsureTrailingCharDB(QByteArray(), '\\'), QByteArray());
    EXPECT_EQ(EnsureTrailingCharDB(QByteArray("C:"), '\\'), QByteArray("C:\\"));
    EXPECT_EQ(EnsureTrailingCharDB(QByteArray("C:\\"), '\\'), QByteArray("C:\\"));
    EXPECT_EQ(EnsureTrailingCharDB(QByteArray("/tmp/"), '/'), QByteArray("/tmp/"));
    // The last byte of a multi-byte character is never the character itself.
    EXPECT_EQ(EnsureTrailingCharDB(QByteArray("caf\xc3\xa9"), '\xa9'),
              QByteArray("caf\xc3\xa9\xa9"));
    EXPECT_EQ(EnsureTrailingCharDB(QStringLiteral("/home"), QLatin1Char('/')),
              QStringLiteral("/home/"));
}

using StrRetConversion = ShellAllocTest;

TEST_F(StrRetConversion, ReadsAllThreeKindsAndFreesTheWideOne)
{
    TStrRet wide;
    ASSERT_EQ(StrretFromString(QStringLiteral("Wide \u00e9"), &wide), S_OK);
    EXPECT_EQ(StrretToString(nullptr, wide), QStringLiteral("Wide \u00e9"));
    StrretFree(wide);

    TIdListPtr list(MakeRawIdList({QByteArray("xx\xc3\xa9t\0", 6)}));
    TStrRet offset;
    StrretFromOffset(4, &offset);
    EXPECT_EQ(StrretToString(list.get(), offset), QStringLiteral("\u00e9t"));
    EXPECT_EQ(StrretToString(nullptr, offset), QString());
    StrretFree(offset);

    TStrRet inline_;
    std::strcpy(inline_.cStr, "inline");
    EXPECT_EQ(StrretToString(nullptr, inline_), QStringLiteral("inline"));
}

using IdListArray = ShellAllocTest;

TEST_F(IdListArray, ItemsAndAncestors)
{
    TIdListPtr list(MakeRawIdList({"a", "bb", "ccc"}));
    TPTIdListArray view(list.get());
    EXPECT_EQ(view.GetCount(), 3);

    TIdListPtr expectedItem(MakeRawIdList({"bb"}));
    EXPECT_EQ(IdListToBytes(view.GetItem(1)), IdListToBytes(expectedItem.get()));

    TIdListPtr parent(MakeRawIdList({"a", "bb"}));
    EXPECT_EQ(IdListToBytes(view.GoUp(1)), IdListToBytes(parent.get()));
    EXPECT_EQ(IdListToBytes(view.GoUp(0)), IdListToBytes(list.get()));
    EXPECT_EQ(IdListToBytes(view.GoUp(3)), QByteArray(2, '\0'));
    EXPECT_EQ(view.GoUp(4), nullptr);
    EXPECT_EQ(view.GoUp(-1), nullptr);
    // Only the last scratch list is alive: the list and the view's one.
}

TEST_F(IdListArray, OutOfRangeIndexRaisesWithTheIndex)
{
    TIdListPtr list(MakeRawIdList({"a", "b"}));
    TPTIdListArray view(list.get());
    try {
        view.GetItem(2);
        FAIL() << "no exception";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("TPTIdListArray - index 2 out of range"));
    }
    EXPECT_THROW(view.GetItem(-1), EPlatformError);

    TPTIdListArray nullView(nullptr);
    EXPECT_EQ(nullView.GetCount(), 0);
    EXPECT_THROW(nullView.GetItem(0), EPlatformError);
    EXPECT_EQ(nullView.GoUp(0), nullptr);

    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    TPTIdListArray emptyView(empty.get());
    EXPECT_EQ(emptyView.GetCount(), 0);
    EXPECT_EQ(IdListLen(emptyView.GetItem(0)), 2);
    EXPECT_EQ(emptyView.GetItem(1), nullptr);
    EXPECT_EQ(IdListLen(emptyView.GoUp(0)), 2);
}

TEST(NaturalCompare, OrdersNamesAsPeopleReadThem)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"file2", "file10", -1},
        {"file10", "file9", 1},
        {"abc", "ABD", -1},
        {"x007", "x7", -1},                             // equal as numbers, told apart by bytes
        {"a", "A", 1},                                  // equal ignoring case, told apart by bytes
        {"\xc3\x89t\xc3\xa9", "\xc3\xa9t\xc3\xa9", -1}, // Unicode case folding first
        {"\xc3\xa9z",
         "\xc3\x89"
         "a",
         1},
        {"same", "same", 0},
        {"pre", "prefix", -1},
        {"99999999999999999999", "100000000000000000000", -1}, // longer than any integer
        {"bad\xff", "bad\xfe", 1},
    };
    for (const Case& c : cases) {
        const int r = NaturalCompare(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        const int back = NaturalCompare(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(ItemData, MalformedItemsAreRejected)
{
    struct stat st {
    };
    st.st_mode = S_IFREG | 0644;
    st.st_size = 70000;
    TIdListPtr good(ItemData::MakeFileSystem("name.txt", 0, &st));
    ItemData::View view;
    ASSERT_TRUE(ItemData::Read(good.get(), view));
    EXPECT_EQ(view.text, "name.txt");
    EXPECT_EQ(view.size, 70000u);

    auto readRaw = [](const QByteArray& data) {
        TIdListPtr list(MakeRawIdList({data}));
        ItemData::View v;
        return ItemData::Read(list.get(), v);
    };
    const QByteArray header = QByteArray(1, '\x20') + QByteArray(21, '\0');
    EXPECT_TRUE(readRaw(header + QByteArray("ok\0", 3)));
    EXPECT_FALSE(readRaw(header + QByteArray("no terminator")));
    EXPECT_FALSE(readRaw(header + QByteArray("a/b\0", 4)));
    EXPECT_FALSE(readRaw(header + QByteArray("..\0", 3)));
    EXPECT_FALSE(readRaw(header + QByteArray("\0", 1)));
    EXPECT_FALSE(readRaw(QByteArray("\x20short", 6)));
    EXPECT_FALSE(readRaw(QByteArray("\x10\x03\x00relative\0", 12)));
    EXPECT_FALSE(readRaw(QByteArray("\x7fwhat", 5)));
    EXPECT_TRUE(readRaw(QByteArray("\x02", 1)));
    EXPECT_FALSE(readRaw(QByteArray("\x02x", 2)));
}
