#include "shellwidgets/combo/SortPidls.h"

#include "platform/EPlatformError.h"
#include "platform/ResultCodes.h"

#include <QScopeGuard>

#include <algorithm>

namespace
{
int sortsRunning = 0;
}

void SortPidls(IShellFolder* folder, std::vector<TIdListPtr>& idLists)
{
    if (sortsRunning > 0)
        throw EPlatformError(QStringLiteral("Recursive call to SortPidls"));
    ++sortsRunning;
    const auto done = qScopeGuard([] { --sortsRunning; });
    // Stable merging stays in bounds even when failed comparisons make the
    // order inconsistent, which std::sort does not promise.
    std::stable_sort(idLists.begin(), idLists.end(),
                     [folder](const TIdListPtr& a, const TIdListPtr& b) {
                         const HRESULT hr = folder->CompareIDs(0, a.get(), b.get());
                         return Succeeded(hr) && ShortFromResult(hr) < 0;
                     });
}
