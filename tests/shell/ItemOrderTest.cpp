#include "NamespaceFixture.h"

#include "shell/UPTShellUtils.h"
#include "shell/namespace/NaturalCompare.h"
#include "shell/namespace/TItemOrder.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

#include <fcntl.h>
#include <sys/stat.h>

namespace
{

int sign(int r)
{
    return (r > 0) - (r < 0);
}

// Names built from pieces that stress the natural order: digit runs with and
// without leading zeros, case, non-ASCII letters, bytes that are not UTF-8.
std::string randomName(QRandomGenerator& random)
{
    static const char* const pieces[] = {
        "a",        "A",    "b",    "0", "007", "7", "10", "9", "\xc3\xa9",
        "\xc3\x89", "\xff", "\xc3", ".", "txt", " ", "_",  "Z", "999999999999"};
    std::string name;
    const int count = 1 + random.bounded(5);
    for (int i = 0; i < count; ++i)
        name += pieces[random.bounded(int(std::size(pieces)))];
    return name;
}

} // namespace

TEST(NaturalSortKey, OrdersAsNaturalCompareDoes)
{
    QRandomGenerator random(15);
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomName(random);
        const std::string b = randomName(random);
        std::string keyA;
        std::string keyB;
        AppendNaturalSortKey(a, keyA);
        AppendNaturalSortKey(b, keyB);
        ASSERT_EQ(sign(keyA.compare(keyB)), sign(NaturalCompare(a, b)))
            << QByteArray::fromStdString(a).toHex().constData() << " vs "
            << QByteArray::fromStdString(b).toHex().constData();
    }
}

class ItemOrder : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        // GIVEN files of several sizes, types and times, and folders, some
        // names differing only in case or digits, one not UTF-8
        struct File {
            const char* name;
            int size;
            int day;
        };
        const File files[] = {{"b.txt", 300, 5},
                              {"B.csv", 10, 1},
                              {"a10.PNG", 2000, 3},
                              {"a9.png", 2000, 4},
                              {"readme", 0, 2},
                              {"z.TXT", 1, 9},
                              {"bad\xff.txt", 5, 7},
                              {"x007.csv", 7, 6},
                              {"x7.csv", 7, 6},
                              {".hidden", 4, 8},
                              {"\xc3\xa9t\xc3\xa9.txt", 30, 0}};
        for (const File& f : files) {
            const QByteArray path = work() + "/" + f.name;
            makeFile(path, QByteArray(f.size, 'x'));
            const timespec times[2] = {{1700000000 + f.day * 86400, 0},
                                       {1700000000 + f.day * 86400, 0}};
            ::utimensat(AT_FDCWD, path.constData(), times, 0);
        }
        for (const char* name : {"Folder2", "folder10", "old"})
            makeDir(work() + "/" + name);
        TIdListPtr list(parse(work()));
        folder = bind(list.get());
        TComPtr<IEnumIDList> enumList;
        ASSERT_EQ(folder->EnumObjects(nullptr,
                                      SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                      enumList.put()),
                  S_OK);
        PItemIDList item = nullptr;
        std::uint32_t fetched = 0;
        while (enumList->Next(1, &item, &fetched) == S_OK)
            owned.emplace_back(item);
        for (const TIdListPtr& p : owned)
            items.push_back(p.get());
    }
    void TearDown() override
    {
        items.clear();
        owned.clear();
        folder.reset();
        NamespaceFixture::TearDown();
    }

    // The order the folder's own CompareIDs gives.
    std::vector<int> byCompareIds(int column, bool descending)
    {
        std::vector<int> order(items.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int r = ShortFromResult(folder->CompareIDs(column, items[a], items[b]));
            return descending ? r > 0 : r < 0;
        });
        return order;
    }

    TComPtr<IShellFolder> folder;
    std::vector<TIdListPtr> owned;
    std::vector<PCItemIDList> items;
};

TEST_F(ItemOrder, SortsEveryColumnAsCompareIdsDoes)
{
    ASSERT_EQ(items.size(), 14u);
    for (int column = 0; column < 4; ++column) {
        for (bool descending : {false, true}) {
            EXPECT_EQ(TItemOrder(folder.get(), column).SortedIndexes(items, descending),
                      byCompareIds(column, descending))
                << "column " << column << (descending ? " descending" : "");
        }
    }
}

TEST_F(ItemOrder, SameAgreesWithCompareIds)
{
    const TItemOrder order(folder.get(), 0);
    TIdListPtr copy(CopyIdList(nullptr, items[3]));
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t j = 0; j < items.size(); ++j)
            EXPECT_EQ(order.Same(items[i], items[j]), i == j);
        EXPECT_EQ(order.Same(items[i], copy.get()), i == 3);
    }
}

TEST_F(ItemOrder, OtherFoldersGoThroughCompareIds)
{
    // The desktop holds Home and Computer besides its entries.
    TComPtr<IShellFolder> top = desktop();
    std::vector<TIdListPtr> lists;
    TComPtr<IEnumIDList> enumList;
    ASSERT_EQ(top->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, enumList.put()),
              S_OK);
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (enumList->Next(1, &item, &fetched) == S_OK)
        lists.emplace_back(item);
    std::vector<PCItemIDList> reversed;
    for (auto it = lists.rbegin(); it != lists.rend(); ++it)
        reversed.push_back(it->get());
    const std::vector<int> order = TItemOrder(top.get(), 0).SortedIndexes(reversed);
    ASSERT_GE(order.size(), 2u);
    for (size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(ShortFromResult(top->CompareIDs(0, reversed[order[i - 1]], reversed[order[i]])),
                  0);
}
