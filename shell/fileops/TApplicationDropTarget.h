#pragma once

#include "shell/fileops/TPathsDropTarget.h"
#include "shell/menus/DesktopApplications.h"

// The drop target of a desktop entry of an application (a Send To entry, a
// launcher on the desktop): dropped files are handed to the program, as its
// Exec line says. The effect is copy; the files stay where they are. A
// program that cannot be started is the drop's result, with effect none.
class TApplicationDropTarget final : public TPathsDropTarget
{
  public:
    explicit TApplicationDropTarget(TDesktopApplication application)
        : m_application(std::move(application))
    {
    }

  protected:
    std::uint32_t EffectFor(const QList<QByteArray>& paths, std::uint32_t allowed) const override;
    HRESULT Apply(const QList<QByteArray>& paths, std::uint32_t& effect) override;

  private:
    TDesktopApplication m_application;
};
