#include "shellwidgets/list/ColumnWidthStore.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

namespace
{

QByteArray& store()
{
    static QByteArray bytes;
    return bytes;
}

void appendInt(QByteArray& bytes, std::int32_t value)
{
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

bool readInt(const QByteArray& bytes, qsizetype& offset, std::int32_t& value)
{
    if (offset + 4 > bytes.size())
        return false;
    value = qFromLittleEndian<std::int32_t>(bytes.constData() + offset);
    offset += 4;
    return true;
}

} // namespace

namespace ColumnWidthStore
{

bool IsEmpty()
{
    return store().isEmpty();
}

void Save(const std::vector<int>& widths)
{
    QByteArray bytes;
    appendInt(bytes, std::int32_t(widths.size()));
    for (int width : widths)
        appendInt(bytes, width);
    store() = bytes;
}

std::vector<int> Restore(int columnCount)
{
    std::vector<int> widths;
    const QByteArray& bytes = store();
    qsizetype offset = 0;
    std::int32_t count = 0;
    if (!readInt(bytes, offset, count))
        return widths;
    count = std::min(count, std::int32_t(columnCount - 1));
    for (std::int32_t i = 0; i <= count; ++i) {
        std::int32_t width = 0;
        if (!readInt(bytes, offset, width))
            break;
        widths.push_back(width);
    }
    return widths;
}

void Clear()
{
    store().clear();
}

} // namespace ColumnWidthStore
