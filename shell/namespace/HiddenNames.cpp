#include "shell/namespace/HiddenNames.h"

#include <QList>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

THiddenNames THiddenNames::ReadFromFolder(const QByteArray& folderPath)
{
    THiddenNames hidden;
    // The path is bytes (a folder name need not be UTF-8). A FIFO or device
    // named ".hidden" must not stall a listing: open without blocking and read
    // regular files only.
    const QByteArray path = folderPath + "/.hidden";
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return hidden;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return hidden;
    }
    // A huge file is not a list of names; don't let it stall every listing.
    const qsizetype maxBytes = static_cast<qsizetype>(std::min<off_t>(st.st_size, 1 << 20));
    QByteArray content(maxBytes, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd, content.data() + got, static_cast<size_t>(maxBytes - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    content.truncate(got);
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
