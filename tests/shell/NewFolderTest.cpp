#include "NamespaceFixture.h"

#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/TPTStringReplacements.h"
#include "shell/UPTShellControls.h"

#include <QDir>

#include <sys/stat.h>

namespace
{

// Answers every message box with OK and keeps what it showed.
class MessageBoxCapture
{
  public:
    MessageBoxCapture()
        : m_previous(SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
              boxes.append(request);
              return ptmbOk;
          }))
    {
    }
    ~MessageBoxCapture() { SetPTMessageBoxHandler(m_previous); }

    QList<TPTMessageBoxRequest> boxes;

  private:
    TPTMessageBoxHandler m_previous;
};

class NewFolder : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        TPTStringReplacements::Uninstall();
    }
    void TearDown() override
    {
        TPTStringReplacements::Uninstall();
        NamespaceFixture::TearDown();
    }

    bool isDir(const QByteArray& path) const
    {
        struct stat st;
        return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    int entryCount(const QByteArray& path) const
    {
        return static_cast<int>(
            QDir(FileNameToString(path)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
    }

    MessageBoxCapture capture;
};

} // namespace

TEST_F(NewFolder, TakesTheFirstFreeNumber)
{
    // GIVEN a folder that holds New Folder and New Folder (2)
    makeDir(work() + "/New Folder");
    makeDir(work() + "/New Folder (2)");
    // WHEN a new folder is made there (a trailing slash or none)
    QString name;
    ASSERT_TRUE(PTShCreateNewFolder(FileNameToString(work()), name));
    // THEN it is New Folder (3), quietly
    EXPECT_EQ(name, "New Folder (3)");
    EXPECT_TRUE(isDir(work() + "/New Folder (3)"));
    ASSERT_TRUE(PTShCreateNewFolder(FileNameToString(work() + "/"), name));
    EXPECT_EQ(name, "New Folder (4)");
    EXPECT_TRUE(capture.boxes.isEmpty());
}

TEST_F(NewFolder, FallsBackToFldrAndWarnsWhenEveryNameIsTaken)
{
    // GIVEN New Folder, New Folder (2) ... New Folder (50); a file named like a
    // folder counts as taken too
    makeDir(work() + "/New Folder");
    for (int i = 2; i <= 50; ++i)
        makeDir(work() + "/New Folder (" + QByteArray::number(i) + ")");
    QString name;
    ASSERT_TRUE(PTShCreateNewFolder(FileNameToString(work()), name));
    EXPECT_EQ(name, "fldr");
    makeFile(work() + "/fldr2");
    ASSERT_TRUE(PTShCreateNewFolder(FileNameToString(work()), name));
    EXPECT_EQ(name, "fldr3");
    EXPECT_TRUE(capture.boxes.isEmpty());

    // WHEN the second series is used up as well
    for (int i = 4; i <= 50; ++i)
        makeDir(work() + "/fldr" + QByteArray::number(i));
    const int before = entryCount(work());
    name = "unchanged";
    EXPECT_FALSE(PTShCreateNewFolder(FileNameToString(work()), name));
    // THEN one warning names New Folder with the text for "already exists"
    EXPECT_EQ(entryCount(work()), before);
    EXPECT_EQ(name, "unchanged");
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_EQ(capture.boxes[0].icon, TPTMsgIcon::Warning);
    EXPECT_EQ(capture.boxes[0].buttons, ptmbOk);
    EXPECT_EQ(capture.boxes[0].text, "Unable to create the folder 'New Folder'\n\n" +
                                         ResultCodeText(HResultFromWin32(ERROR_ALREADY_EXISTS)));
}

TEST_F(NewFolder, EmptyParentMeansTheCurrentDirectory)
{
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(FileNameToString(work())));
    QString name;
    const bool created = PTShCreateNewFolder(QString(), name);
    QDir::setCurrent(saved);
    ASSERT_TRUE(created);
    EXPECT_EQ(name, "New Folder");
    EXPECT_TRUE(isDir(work() + "/New Folder"));
}

TEST_F(NewFolder, OtherErrorsWarnOnceAndEndTheAttempt)
{
    // A parent that does not exist fails for every name alike.
    QString name;
    EXPECT_FALSE(PTShCreateNewFolder(FileNameToString(work() + "/missing"), name));
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_EQ(capture.boxes[0].text, "Unable to create the folder 'New Folder'\n\n" +
                                         ResultCodeText(HResultFromErrno(ENOENT)));
    EXPECT_FALSE(isDir(work() + "/missing"));
}

TEST_F(NewFolder, TranslatedNameStaysOneComponent)
{
    // GIVEN a translation whose folder name holds a slash, and a folder "Neu"
    TPTStringReplacements::Install(TPTStringReplacements::FromText("SNewFolder = Neu/Ordner\n"));
    makeDir(work() + "/Neu");
    // WHEN a new folder is made, THEN nothing is made inside Neu
    QString name;
    EXPECT_FALSE(PTShCreateNewFolder(FileNameToString(work()), name));
    EXPECT_FALSE(isDir(work() + "/Neu/Ordner"));
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_TRUE(capture.boxes[0].text.startsWith("Unable to create the folder 'Neu/Ordner'"));
}
