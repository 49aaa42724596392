#include "shell/PTEventGuard.h"

#include "platform/EAbort.h"
#include "platform/EPlatformError.h"
#include "shell/PTMessageBox.h"

#include <exception>
#include <new>

namespace
{

void show(const QString& text) noexcept
{
    try {
        TPTMessageBoxRequest request;
        request.icon = TPTMsgIcon::Critical;
        request.text = text;
        PTMessageBox(request);
    } catch (...) {
        // Nothing is left to tell the user with; the event is dropped.
    }
}

} // namespace

void PTShowCurrentException() noexcept
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const EPlatformError& e) {
        show(e.message());
    } catch (const std::bad_alloc&) {
        show(QStringLiteral("Out of memory."));
    } catch (const std::exception& e) {
        show(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        show(QStringLiteral("Unknown error."));
    }
}
