#include "shell/namespace/HiddenNames.h"

#include "platform/ReadRegularFile.h"

#include <QList>

#include <algorithm>

THiddenNames THiddenNames::ReadFromFolder(const QByteArray& folderPath)
{
    THiddenNames hidden;
    // A FIFO or device named ".hidden" must not stall a listing, nor a huge
    // file, which is no list of names.
    const std::optional<QByteArray> content = ReadRegularFile(folderPath + "/.hidden", 1 << 20);
    if (!content)
        return hidden;
    for (QByteArray line : content->split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            hidden.m_names.push_back(line);
    }
    std::sort(hidden.m_names.begin(), hidden.m_names.end());
    return hidden;
}

bool THiddenNames::Contains(std::string_view name) const
{
    const QByteArray key =
        QByteArray::fromRawData(name.data(), static_cast<qsizetype>(name.size()));
    return std::binary_search(m_names.begin(), m_names.end(), key);
}
