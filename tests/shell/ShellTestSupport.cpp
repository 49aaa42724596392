#include "ShellTestSupport.h"

#include "shell/namespace/Desktop.h"
#include "shell/utils/ShellMalloc.h"

#include <cstring>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

void ShellAllocTest::SetUp()
{
    IShellFolder* desktop = nullptr;
    if (Succeeded(SHGetDesktopFolder(&desktop)))
        desktop->Release();
    m_liveAtStart = ShellLiveBlockCount();
    m_objectsAtStart = ComObjectLiveCount();
}

void ShellAllocTest::TearDown()
{
    EXPECT_EQ(ShellLiveBlockCount(), m_liveAtStart) << "shell allocator blocks leaked";
    EXPECT_EQ(ComObjectLiveCount(), m_objectsAtStart) << "objects not released";
}

PItemIDList MakeRawIdList(std::initializer_list<QByteArray> itemData)
{
    QByteArray bytes;
    for (const QByteArray& data : itemData) {
        const int cb = static_cast<int>(data.size()) + 2;
        bytes.append(static_cast<char>(cb & 0xFF));
        bytes.append(static_cast<char>(cb >> 8));
        bytes.append(data);
    }
    bytes.append(2, '\0');
    void* list = ShellMemAlloc(static_cast<size_t>(bytes.size()));
    std::memcpy(list, bytes.constData(), static_cast<size_t>(bytes.size()));
    return static_cast<PItemIDList>(list);
}

void RemoveTree(const QByteArray& path)
{
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray child = path + '/' + name;
            struct stat st;
            if (::lstat(child.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
                ::chmod(child.constData(), 0755);
                RemoveTree(child);
            } else {
                ::unlink(child.constData());
            }
        }
        ::closedir(dir);
    }
    ::rmdir(path.constData());
}
