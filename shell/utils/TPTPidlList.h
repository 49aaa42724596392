#pragma once

#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <cstdint>
#include <functional>
#include <vector>

// What a sorted list does when an equal list is added.
enum TPTDuplicates : std::uint8_t { ptdupIgnore = 0, ptdupAccept = 1, ptdupError = 2 };

// An ordered list of (identifier list, object) pairs. With ShellFolder set,
// lists compare through its CompareIDs(0, ...); without it, by raw bytes.
// With Malloc set the container owns its lists and frees them through it on
// Delete, Clear, SetPIDL and destruction; without it they stay the caller's.
// Adding to a sorted list keeps the new pairs aside in a short sorted run,
// each with its place among the others, and puts them in place together at
// the next other access: inserting one by one into the middle of 100 000 pairs
// would move the whole vector every time. User-interface thread only.
class TPTPidlList
{
  public:
    TPTPidlList() = default;
    ~TPTPidlList();
    TPTPidlList(const TPTPidlList&) = delete;
    TPTPidlList& operator=(const TPTPidlList&) = delete;

    PItemIDList GetPIDL(int index) const;
    void SetPIDL(int index, PItemIDList idList);
    void* GetObject(int index) const;
    void SetObject(int index, void* object);
    int GetCount() const { return static_cast<int>(m_pairs.size() + m_pending.size()); }

    bool GetSorted() const { return m_sorted; }
    void SetSorted(bool sorted);

    IShellFolder* ShellFolder() const { return m_shellFolder.get(); }
    void SetShellFolder(IShellFolder* folder)
    {
        m_shellFolder = TComPtr<IShellFolder>::share(folder);
    }
    IMalloc* Malloc() const { return m_malloc.get(); }
    void SetMalloc(IMalloc* malloc) { m_malloc = TComPtr<IMalloc>::share(malloc); }
    TPTDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TPTDuplicates duplicates) { m_duplicates = duplicates; }

    int Add(PItemIDList idList) { return AddObject(idList, nullptr); }
    // Sorted: an equal entry makes ptdupIgnore return its index without adding,
    // ptdupError raise "TPTPidlList: Duplicate PIDL", ptdupAccept insert.
    int AddObject(PItemIDList idList, void* object);
    void Sort();
    // Binary search over a sorted list; index is the match or the insertion point.
    bool BinarySearch(PCItemIDList idList, int& index) const;
    // The first entry that compares equal, in list order.
    bool LinearSearch(PCItemIDList idList, int& index) const;
    int IndexOf(PCItemIDList idList) const;
    void Delete(int index);
    void Clear();
    void Insert(int index, PItemIDList idList) { InsertObject(index, idList, nullptr); }
    void InsertObject(int index, PItemIDList idList, void* object);
    int GetCapacity() const;
    void SetCapacity(int capacity);

    // Comparison of two lists the way this container orders them.
    int Compare(PCItemIDList a, PCItemIDList b) const;

    // The refresh of a folder view: removes from this list (the entries shown
    // before) and from `refreshed` (a new enumeration) every entry that the
    // other holds too, compared the way this list compares. What stays here
    // has vanished, what stays in `refreshed` is new, each in its own order;
    // removed lists are freed by the container that owns them. This list ends
    // sorted. O(n log n): `refreshed` is put in order through a sort of its
    // indexes that reads each item once, then both are walked side by side.
    // onCommon, when given, is told the objects of each pair of equal entries
    // (this list's, then refreshed's) before they are removed.
    void RemoveCommonEntries(
        TPTPidlList& refreshed,
        const std::function<void(void* objectHere, void* objectThere)>& onCommon = {});

  private:
    struct Pair {
        PItemIDList idList;
        void* object;
    };
    // A pair added to the sorted list and not yet in place: it goes before
    // m_pairs[place].
    struct PendingPair {
        int place;
        Pair pair;
    };

    void checkIndex(int index, bool allowEnd = false) const;
    void freeList(PItemIDList idList);
    // Puts the pending pairs in place.
    void settle() const;
    template <typename Range, typename ListOf>
    bool search(const Range& range, ListOf listOf, PCItemIDList idList, int& index) const;

    mutable std::vector<Pair> m_pairs;
    mutable std::vector<PendingPair> m_pending; // sorted, places ascending
    bool m_sorted = false;
    TComPtr<IShellFolder> m_shellFolder;
    TComPtr<IMalloc> m_malloc;
    TPTDuplicates m_duplicates = ptdupError;
};

// Raw-byte order of two lists: the first differing byte (unsigned) decides,
// else the shorter list comes first.
int CompareIdListBytes(PCItemIDList a, PCItemIDList b);
