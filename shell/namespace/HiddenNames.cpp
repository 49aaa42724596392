#include "shell/namespace/HiddenNames.h"

#include <QFile>

#include <algorithm>

THiddenNames THiddenNames::ReadFromFolder(const QByteArray& folderPath)
{
    THiddenNames hidden;
    QFile file(QFile::decodeName(folderPath + "/.hidden"));
    if (!file.open(QIODevice::ReadOnly))
        return hidden;
    // A huge file is not a list of names; don't let it stall every listing.
    const QByteArray content = file.read(1 << 20);
    for (QByteArray line : content.split('\n')) {
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
