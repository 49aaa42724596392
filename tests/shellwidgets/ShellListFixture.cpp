#include "ShellListFixture.h"

#include "shell/ShellTestSupport.h"

#include "controls/treelist/TPTListItemModel.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shellwidgets/list/ColumnWidthStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const char* const kVariables[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};

} // namespace

void ShellListFixture::SetUp()
{
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    m_root = QFile::encodeName(m_dir->path());
    for (int i = 0; i < 3; ++i)
        m_saved[i] = qgetenv(kVariables[i]);
    qputenv("HOME", m_root + "/home");
    qputenv("XDG_CONFIG_HOME", m_root + "/config");
    qputenv("XDG_DATA_HOME", m_root + "/data");
    for (const char* sub : {"/home", "/home/Desktop", "/config", "/data", "/work"})
        makeDir(m_root + sub);
    ColumnWidthStore::Clear();
    m_savedWait = TPTCustomShellList::ListingWaitMs;
    SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
        messages << request.text;
        return ptmbOk;
    });
    list = std::make_unique<TPTShellList>();
    list->resize(600, 400);
    list->show();
    QCoreApplication::processEvents(); // the deferred first fill
    waitForListing();
}

void ShellListFixture::TearDown()
{
    list.reset();
    SetPTMessageBoxHandler({});
    TPTCustomShellList::ListingWaitMs = m_savedWait;
    for (int i = 0; i < 3; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(kVariables[i]);
        else
            qputenv(kVariables[i], m_saved[i]);
    }
    RemoveTree(m_root);
    m_dir.reset();
}

void ShellListFixture::makeDir(const QByteArray& path)
{
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
}

void ShellListFixture::makeFile(const QByteArray& path, const QByteArray& content)
{
    // By bytes: QFile would turn a name that is not UTF-8 into another name.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
    ::close(fd);
}

void ShellListFixture::show(const QByteArray& path)
{
    list->Folder().SetPathName(FileNameToString(path));
    waitForListing();
}

void ShellListFixture::waitForListing()
{
    QElapsedTimer timer;
    timer.start();
    while (list->IsListing() && timer.elapsed() < 10000)
        QTest::qWait(5);
    ASSERT_FALSE(list->IsListing()) << "the listing did not end";
}

QStringList ShellListFixture::captions()
{
    QStringList result;
    for (int row = 0; row < list->ItemCount(); ++row)
        result << cell(row, 0);
    return result;
}

QString ShellListFixture::cell(int row, int column)
{
    return list->Model()->data(list->Model()->index(row, column), Qt::DisplayRole).toString();
}

int ShellListFixture::rowOf(const QString& caption)
{
    return int(captions().indexOf(caption));
}
