#include "platform/PrivateProfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

namespace
{

struct Profile : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("VELDMARK.INI"));

    void Put(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Contents() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::string Get(const char* section, const char* key, const char* def = "dflt",
                    std::size_t size = 1024)
    {
        std::string buffer(size, 'x');
        const std::size_t n =
            GetPrivateProfileString(QString::fromUtf8(section), QString::fromUtf8(key),
                                    QString::fromUtf8(def), buffer.data(), size, path);
        EXPECT_EQ(buffer[n], '\0');
        return buffer.substr(0, n);
    }
};

} // namespace

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(Get("Settings", "TransHeight", "1"), "1");
    Put("[Other]\nTransHeight=7\n[Settings]\nSepDist=3\n");
    EXPECT_EQ(Get("Settings", "TransHeight", "1"), "1");
    EXPECT_EQ(Get("Settings", "SepDist"), "3");
    EXPECT_EQ(Get("Missing", "SepDist"), "dflt");
}

TEST_F(Profile, NamesIgnoreCaseAndBlanksValuesLoseBlanksAndQuotes)
{
    Put("; comment\r\n[ settings ]\r\n  sepdist =  10 m  \r\nQuoted=\"a b\"\r\nHalf=\"a\r\n"
        "Empty=\r\nEq=a=b\r\n");
    EXPECT_EQ(Get("SETTINGS", "SepDist"), "10 m");
    EXPECT_EQ(Get("Settings", "quoted"), "a b");
    EXPECT_EQ(Get("Settings", "Half"), "\"a");
    EXPECT_EQ(Get("Settings", "Empty"), "");
    EXPECT_EQ(Get("Settings", "Eq"), "a=b");
}

TEST_F(Profile, ValuesAreCutToTheBufferWithoutSplittingACharacter)
{
    WritePrivateProfileString("Settings", "Long", QString(2000, QLatin1Char('7')), path);
    EXPECT_EQ(Get("Settings", "Long"), std::string(1023, '7'));
    WritePrivateProfileString("Settings", "Wide", QString::fromUtf8("ab\xC3\xA9"), path); // "abé"
    EXPECT_EQ(Get("Settings", "Wide", "", 4), "ab");
    EXPECT_EQ(Get("Settings", "Wide", "", 5), "ab\xC3\xA9");
}

TEST_F(Profile, WritesCreateReplaceAndLeaveEverythingElseAlone)
{
    EXPECT_TRUE(WritePrivateProfileString("Settings", "TransHeight", "1", path));
    EXPECT_EQ(Contents(), "[Settings]\nTransHeight=1\n");

    const QByteArray before = "; kept\r\n[Window]\r\nLeft=3\r\n\r\n[settings]\r\nSepDist=10\r\n"
                              "# note\r\ntransheight = 2\r\n\r\n[Tail]\r\nX=\x01\xff\r\n";
    Put(before);
    EXPECT_TRUE(WritePrivateProfileString("Settings", "TransHeight", "5", path));
    EXPECT_TRUE(WritePrivateProfileString("Settings", "NumPoints", "971", path));
    EXPECT_TRUE(WritePrivateProfileString("New", "Key", "v\nw", path));
    EXPECT_EQ(Contents(),
              QByteArray("; kept\r\n[Window]\r\nLeft=3\r\n\r\n[settings]\r\nSepDist=10\r\n"
                         "# note\r\nTransHeight=5\r\nNumPoints=971\r\n\r\n[Tail]\r\n"
                         "X=\x01\xff\r\n\r\n[New]\r\nKey=v w\r\n"));
    EXPECT_EQ(Get("settings", "numpoints"), "971");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"VELDMARK.INI"}); // no temporary file left behind
}

TEST_F(Profile, KeyAtTheEndOfAFileWithoutALineEnd)
{
    Put("[Settings]\nA=1");
    EXPECT_TRUE(WritePrivateProfileString("Settings", "B", "2", path));
    EXPECT_EQ(Contents(), "[Settings]\nA=1\nB=2\n");
}

TEST_F(Profile, AByteOrderMarkHidesNoSectionAndStays)
{
    Put("\xEF\xBB\xBF[Settings]\r\nA=1\r\n");
    EXPECT_EQ(Get("Settings", "A"), "1");
    EXPECT_TRUE(WritePrivateProfileString("Settings", "A", "2", path));
    EXPECT_EQ(Contents(), "\xEF\xBB\xBF[Settings]\r\nA=2\r\n");
}

TEST_F(Profile, UnwritableOrUnreadableFilesFailQuietly)
{
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", dir.filePath("no/such/dir/x.ini")));
    EXPECT_EQ(Get("S", "K"), "dflt");

    // A folder where the file should be: neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("VELDMARK.INI"));
    EXPECT_EQ(Get("S", "K"), "dflt");
    EXPECT_FALSE(WritePrivateProfileString("S", "K", "V", path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(Profile, HugeOrBinaryFilesNeitherHangNorGetRewritten)
{
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 131) & 0xff);
    Put(binary + "\n[Settings]\nK=found\n");
    EXPECT_EQ(Get("Settings", "K"), "found");

    const QByteArray huge(platform::kMaxProfileFileSize + platform::kProfileHeadroom + 1, '=');
    Put(huge);
    EXPECT_EQ(Get("Settings", "K"), "dflt");
    EXPECT_FALSE(WritePrivateProfileString("Settings", "K", "V", path));
    EXPECT_EQ(QFileInfo(path).size(), huge.size());
}

TEST_F(Profile, WritesMayPassTheBoundByTheHeadroomAndNoFurther)
{
    // GIVEN a file 10 bytes short of the bound
    const QByteArray nearly =
        "[Settings]\n;" + QByteArray(platform::kMaxProfileFileSize - 23, 'x') + "\n";
    ASSERT_EQ(nearly.size(), platform::kMaxProfileFileSize - 10);
    Put(nearly);
    // WHEN a write takes it past the bound THEN it is kept, read and rewritten
    EXPECT_TRUE(WritePrivateProfileString("Settings", "A", QString(100, 'a'), path));
    EXPECT_GT(Contents().size(), platform::kMaxProfileFileSize);
    EXPECT_EQ(Get("Settings", "A"), std::string(100, 'a'));
    EXPECT_TRUE(WritePrivateProfileString("Settings", "B", "b", path));
    EXPECT_EQ(Get("Settings", "B"), "b");
    // A write that would pass the headroom too is refused; nothing changes.
    const QByteArray before = Contents();
    EXPECT_FALSE(
        WritePrivateProfileString("Settings", "C", QString(platform::kProfileHeadroom, 'c'), path));
    EXPECT_EQ(Contents(), before);
}

TEST_F(Profile, AFileOfMegabytesIsNoSettingsFile)
{
    // Every read parses the whole file again; a file this large would only
    // stall start-up, so it counts as unreadable.
    const QByteArray big = "[Settings]\nK=found\n" + QByteArray(2 * 1024 * 1024, '\n');
    Put(big);
    EXPECT_EQ(Get("Settings", "K"), "dflt");
    EXPECT_FALSE(WritePrivateProfileString("Settings", "K", "V", path));
    EXPECT_EQ(Contents(), big);
}

TEST_F(Profile, APipeInTheFilesPlaceIsNotWaitedOn)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // A writer that never writes: reading the pipe would wait until it closes.
    const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    std::atomic<bool> done{false};
    std::string value;
    std::thread reader([&] {
        value = Get("Settings", "K");
        done = true;
    });
    const QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(done);
    ::close(writer); // lets a waiting read see the end
    reader.join();
    EXPECT_EQ(value, "dflt");
    if (done) // a write would open the pipe again and wait for a writer
        EXPECT_FALSE(WritePrivateProfileString("Settings", "K", "V", path));
    EXPECT_FALSE(QFileInfo(path).isFile()); // still the pipe
}
