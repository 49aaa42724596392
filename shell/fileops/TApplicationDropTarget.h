#pragma once

#include "shell/menus/DesktopApplications.h"
#include "shell/shell95/IDropTarget.h"

#include <QByteArray>
#include <QList>

// The drop target of a desktop entry of an application (a Send To entry, a
// launcher on the desktop): dropped files are handed to the program, as its
// Exec line says. The effect is copy; the files stay where they are.
class TApplicationDropTarget final : public TComObject<IDropTarget>
{
  public:
    explicit TApplicationDropTarget(TDesktopApplication application);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT DragEnter(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                      std::uint32_t* effect) override;
    HRESULT DragOver(std::uint32_t keyState, TPointL point, std::uint32_t* effect) override;
    HRESULT DragLeave() override;
    // Starts the program; a failure to start it is the result, with effect none.
    HRESULT Drop(IDataObject* dataObject, std::uint32_t keyState, TPointL point,
                 std::uint32_t* effect) override;

  private:
    std::uint32_t effectFor(std::uint32_t allowed) const;

    TDesktopApplication m_application;
    QList<QByteArray> m_paths;
};
