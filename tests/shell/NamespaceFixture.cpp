#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/UPTShellUtils.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const kVariables[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
}

void NamespaceFixture::SetUp()
{
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    m_root = QFile::encodeName(m_dir->path());
    for (int i = 0; i < 3; ++i)
        m_saved[i] = qgetenv(kVariables[i]);
    qputenv("HOME", home());
    qputenv("XDG_CONFIG_HOME", m_root + "/config");
    qputenv("XDG_DATA_HOME", m_root + "/data");
    for (const char* sub :
         {"/home", "/home/Desktop", "/home/Documents", "/config", "/data", "/work"})
        makeDir(m_root + sub);
    ShellAllocTest::SetUp();
}

void NamespaceFixture::TearDown()
{
    ShellAllocTest::TearDown();
    for (int i = 0; i < 3; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(kVariables[i]);
        else
            qputenv(kVariables[i], m_saved[i]);
    }
    // Give back permissions a test may have taken away, so the folder can go.
    ::chmod((work() + "/locked").constData(), 0755);
    ::chmod((work() + "/listonly").constData(), 0755);
    // QTemporaryDir removes by QString names and would leave the non-UTF-8 ones.
    RemoveTree(m_root);
    m_dir.reset();
}

void NamespaceFixture::makeDir(const QByteArray& path)
{
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
}

void NamespaceFixture::makeFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, content.constData(), static_cast<size_t>(content.size())),
              content.size());
    ::close(fd);
}

void NamespaceFixture::makeLink(const QByteArray& target, const QByteArray& path)
{
    ASSERT_EQ(::symlink(target.constData(), path.constData()), 0) << path.constData();
}

PItemIDList NamespaceFixture::parse(const QByteArray& path)
{
    PItemIDList list = nullptr;
    const HRESULT hr = ShellGetIdListFromPath(FileNameToString(path), &list);
    EXPECT_EQ(hr, S_OK) << path.constData();
    return list;
}

TComPtr<IShellFolder> NamespaceFixture::desktop()
{
    TComPtr<IShellFolder> folder;
    EXPECT_EQ(SHGetDesktopFolder(folder.put()), S_OK);
    return folder;
}

TComPtr<IShellFolder> NamespaceFixture::bind(PCItemIDList absolute)
{
    TComPtr<IShellFolder> folder;
    EXPECT_EQ(ShellGetFolderFromIdList(absolute, folder.put()), S_OK);
    return folder;
}

QList<QByteArray> NamespaceFixture::listNames(IShellFolder* folder, std::uint32_t flags)
{
    QList<QByteArray> names;
    TComPtr<IEnumIDList> items;
    EXPECT_EQ(folder->EnumObjects(nullptr, flags, items.put()), S_OK);
    if (!items)
        return names;
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) {
        TStrRet name;
        EXPECT_EQ(folder->GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name), S_OK);
        names << FileNameFromString(StrretToString(item, name));
        StrretFree(name);
        ShellMemFree(item);
    }
    return names;
}
