#pragma once

#include "shell/shell95/TItemIDList.h"

// A read-only view of one absolute list as an array of items. The viewed list
// stays the caller's and must outlive the view. GetItem and GoUp return a
// scratch list owned by the view: it is valid until the next GetItem or GoUp
// call or the view's destruction; copy it to keep it.
class TPTIdListArray
{
  public:
    explicit TPTIdListArray(PCItemIDList idList);
    ~TPTIdListArray();
    TPTIdListArray(const TPTIdListArray&) = delete;
    TPTIdListArray& operator=(const TPTIdListArray&) = delete;

    int GetCount() const;
    // A one-item list. Raises "TPTIdListArray - index %d out of range" for a
    // null list, a negative index or an index past the items; on a list with
    // no items index 0 gives an empty list.
    PItemIDList GetItem(int index);
    // The ancestor that many levels up: 0 a copy, GetCount() the desktop's
    // empty list, 1 the parent; null for a negative or too large level.
    PItemIDList GoUp(int levels);

  private:
    void freeScratch();

    PCItemIDList m_idList;
    PItemIDList m_scratch = nullptr;
};
