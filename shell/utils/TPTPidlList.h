#pragma once

#include "shell/shell95/IMalloc.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <cstdint>
#include <vector>

// What a sorted list does when an equal list is added.
enum TPTDuplicates : std::uint8_t { ptdupIgnore = 0, ptdupAccept = 1, ptdupError = 2 };

// An ordered list of (identifier list, object) pairs. With ShellFolder set,
// lists compare through its CompareIDs(0, ...); without it, by raw bytes.
// With Malloc set the container owns its lists and frees them through it on
// Delete, Clear, SetPIDL and destruction; without it they stay the caller's.
// User-interface thread only.
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
    int GetCount() const { return static_cast<int>(m_pairs.size()); }

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
    bool LinearSearch(PCItemIDList idList, int& index) const;
    int IndexOf(PCItemIDList idList) const;
    void Delete(int index);
    void Clear();
    void Insert(int index, PItemIDList idList) { InsertObject(index, idList, nullptr); }
    void InsertObject(int index, PItemIDList idList, void* object);
    int GetCapacity() const { return static_cast<int>(m_pairs.capacity()); }
    void SetCapacity(int capacity);

    // Comparison of two lists the way this container orders them.
    int Compare(PCItemIDList a, PCItemIDList b) const;

  private:
    struct Pair {
        PItemIDList idList;
        void* object;
    };

    void checkIndex(int index, bool allowEnd = false) const;
    void freeList(PItemIDList idList);

    std::vector<Pair> m_pairs;
    bool m_sorted = false;
    TComPtr<IShellFolder> m_shellFolder;
    TComPtr<IMalloc> m_malloc;
    TPTDuplicates m_duplicates = ptdupError;
};

// Raw-byte order of two lists: the first differing byte (unsigned) decides,
// else the shorter list comes first.
int CompareIdListBytes(PCItemIDList a, PCItemIDList b);
