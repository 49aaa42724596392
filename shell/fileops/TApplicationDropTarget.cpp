#include "shell/fileops/TApplicationDropTarget.h"

std::uint32_t TApplicationDropTarget::EffectFor(const QList<QByteArray>&,
                                                std::uint32_t allowed) const
{
    return allowed & DROPEFFECT_COPY ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT TApplicationDropTarget::Apply(const QList<QByteArray>& paths, std::uint32_t&)
{
    return LaunchApplication(m_application, paths);
}
