#pragma once

#include "platform/ResultCodes.h"
#include "shell/shell95/IEnumIDList.h"
#include "shell/shell95/TComPtr.h"
#include "shell/shell95/TItemIDList.h"

#include <QByteArray>
#include <QSet>

#include <cstdint>
#include <memory>
#include <vector>

// Lists a folder on a worker thread, so that a folder on a slow or dead mount
// never holds the user-interface thread: the caller waits as long as it wants
// (WaitFor) and may give up (Cancel, or destroy the scan) while the worker
// still sits in the kernel. A worker that never returns costs its thread,
// nothing else: its state is shared and freed by whichever side lets go last.
//
// Each folder entry of the file system also tells whether it has a subfolder
// (one opendir per folder, the expensive part of listing a tree level); names
// in `known` are not examined again, so a refresh pays only for new entries.
// Other entries (Home, Computer, Trash, volumes) are not examined.
class TPTFolderScan
{
  public:
    struct Entry {
        PItemIDList item = nullptr; // one item, from the shell allocator
        bool subfolderChecked = false;
        bool hasSubfolder = false;
    };

    // Opens the folder at path (lossless bytes) on the worker; flags are the
    // SHCONTF_ flags of the listing.
    TPTFolderScan(const QByteArray& path, std::uint32_t flags, bool wantSubfolders,
                  QSet<QByteArray> known = {});
    // Reads an enumeration the caller opened (of the namespace's own
    // enumerators, which share nothing with other objects); entries are below
    // path, empty when the folder has none.
    TPTFolderScan(TComPtr<IEnumIDList> list, const QByteArray& path, bool wantSubfolders,
                  QSet<QByteArray> known = {});
    ~TPTFolderScan();
    TPTFolderScan(const TPTFolderScan&) = delete;
    TPTFolderScan& operator=(const TPTFolderScan&) = delete;

    // True when the listing has ended within the time.
    bool WaitFor(int milliseconds);
    bool Done() const;
    void Cancel();

    // After the end: the listing's result (S_OK, or the error that stopped
    // it; StartFailed tells a folder that could not be opened) and the
    // entries, which become the caller's.
    HRESULT Result() const;
    bool StartFailed() const;
    std::vector<Entry> TakeEntries();

  private:
    struct State;
    static void Run(const std::shared_ptr<State>& state);
    static void CheckSubfolders(const State& state, Entry& entry);
    std::shared_ptr<State> m_state;
};
