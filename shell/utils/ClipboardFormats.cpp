#include "shell/utils/ClipboardFormats.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace
{

struct Registry {
    QMutex mutex;
    QHash<QString, std::uint16_t> numbers;
    QHash<std::uint16_t, QString> names;
    std::uint16_t next = 0xC000;
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

std::uint16_t RegisterClipboardFormat(const QString& name)
{
    if (name.isEmpty())
        return 0;
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    if (const auto it = r.numbers.constFind(name); it != r.numbers.constEnd())
        return it.value();
    if (r.next == 0xFFFF)
        return 0;
    const std::uint16_t number = r.next++;
    r.numbers.insert(name, number);
    r.names.insert(number, name);
    return number;
}

QString ClipboardFormatName(std::uint16_t format)
{
    Registry& r = registry();
    QMutexLocker lock(&r.mutex);
    return r.names.value(format);
}

std::uint16_t CF_SHELLIDLIST()
{
    static const std::uint16_t format =
        RegisterClipboardFormat(QString::fromLatin1(CFSTR_SHELLIDLIST));
    return format;
}
