#pragma once

#include "shell/shell95/IShellDetails.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TComPtr.h"

// Columns of the drives folder: Name, Type, Total Size, Free Space.
class TComputerDetails : public TComObject<IShellDetails>
{
  public:
    explicit TComputerDetails(IShellFolder* folder);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetDetailsOf(PCItemIDList idList, std::uint32_t column,
                         TShellDetails* details) override;
    // The list sorts by CompareIDs itself.
    HRESULT ColumnClick(std::uint32_t column) override;

  private:
    TComPtr<IShellFolder> m_folder;
};
