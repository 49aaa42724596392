#pragma once

#include "platform/ResultCodes.h"
#include "shell/utils/ShellMalloc.h"
#include "shellwidgets/tree/TPTFolderScan.h"

#include <vector>

// The objects of one folder listing, as the tree adds or merges them; the
// items are freed with it.
struct TPTFolderListing {
    std::vector<TPTFolderScan::Entry> entries;
    HRESULT result = S_OK; // what ended the listing, when not its end

    TPTFolderListing() = default;
    TPTFolderListing(const TPTFolderListing&) = delete;
    TPTFolderListing& operator=(const TPTFolderListing&) = delete;
    ~TPTFolderListing()
    {
        for (TPTFolderScan::Entry& e : entries)
            ShellMemFree(e.item);
    }
};
