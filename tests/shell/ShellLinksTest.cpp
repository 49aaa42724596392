#include "platform/FileNameCodec.h"
#include "shell/utils/ShellLinks.h"
#include "shell/utils/ShellMalloc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ShellLinks, EveryFieldSurvivesARoundTrip)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("report data.csv");
    Write(target, "12345");
    TLinkData out;
    out.Path = target;
    out.Description = " leading blank, back\\slash,\nsecond line";
    out.Arguments = "--fast \"quoted arg\"";
    out.IconLocation = "/usr/share/icons/x.png";
    out.IconIndex = -3;
    out.WorkingDirectory = dir.path();
    out.ShowCmd = 7;
    out.HotKey = 0x4000 | 'K';
    out.Options = kAllLinkOptions;
    const QString link = dir.filePath("Report.desktop");
    ASSERT_EQ(CreateShortcut(link, out), S_OK);

    TLinkData in;
    ASSERT_EQ(ResolveShortcut(link, in, true), S_OK);
    EXPECT_EQ(in.Path, target);
    EXPECT_EQ(in.Description, out.Description);
    EXPECT_EQ(in.Arguments, out.Arguments);
    EXPECT_EQ(in.IconLocation, out.IconLocation);
    EXPECT_EQ(in.IconIndex, -3);
    EXPECT_EQ(in.WorkingDirectory, dir.path());
    EXPECT_EQ(in.ShowCmd, 7);
    EXPECT_EQ(in.HotKey, out.HotKey);
    EXPECT_EQ(in.Options, kAllLinkOptions);
    EXPECT_EQ(in.FindData.FileName, "report data.csv");
    EXPECT_EQ(in.FindData.FileSize, 5u);
    ASSERT_NE(in.IdList, nullptr);
    ShellMemFree(in.IdList);
}

TEST(ShellLinks, OnlyChosenFieldsAreWrittenAndAQuickLinkNeedsNoTarget)
{
    QTemporaryDir dir;
    TLinkData out;
    out.Path = dir.filePath("a");
    out.Description = "not written";
    out.Options = LinkOption(ldoUseArgs);
    out.Arguments = "x";
    ASSERT_EQ(CreateShortcut(dir.filePath("l.desktop"), out), S_OK);
    TLinkData in;
    ASSERT_EQ(ResolveShortcut(dir.filePath("l.desktop"), in, false), S_OK);
    EXPECT_EQ(in.Arguments, "x");
    EXPECT_TRUE(in.Description.isEmpty());
    EXPECT_EQ(in.IdList, nullptr);

    // The target does not exist: the link still resolves to its path.
    const QString missing = dir.filePath("gone/away.txt");
    ASSERT_EQ(CreateQuickShortcut(dir.filePath("q.desktop"), missing), S_OK);
    ASSERT_EQ(ResolveShortcut(dir.filePath("q.desktop"), in, false), S_OK);
    EXPECT_EQ(in.Path, missing);
    EXPECT_EQ(in.Description, missing);
    EXPECT_EQ(in.WorkingDirectory, dir.filePath("gone"));
    EXPECT_EQ(in.FindData.FileName, "away.txt");
}

TEST(ShellLinks, NonUtf8TargetNamesComeBackByteForByte)
{
    QTemporaryDir dir;
    const QByteArray rawName = QFile::encodeName(dir.path()) + "/caf\xe9 %41.txt"; // Latin-1 é
    const QString target = FileNameToString(rawName);
    TLinkData out;
    out.Path = target;
    ASSERT_EQ(CreateShortcut(dir.filePath("n.desktop"), out), S_OK);
    TLinkData in;
    ASSERT_EQ(ResolveShortcut(dir.filePath("n.desktop"), in, false), S_OK);
    EXPECT_EQ(FileNameFromString(in.Path), rawName);
}

TEST(ShellLinks, MalformedFilesFailWithoutHarm)
{
    QTemporaryDir dir;
    const HRESULT badFormat = HResultFromWin32(11);
    struct Case {
        const char* what;
        QByteArray content;
    };
    const Case cases[] = {
        {"no group", "Type=Link\nURL=file:///tmp\n"},
        {"an application", "[Desktop Entry]\nType=Application\nExec=true\n"},
        {"no URL", "[Desktop Entry]\nType=Link\n"},
        {"a web address", "[Desktop Entry]\nType=Link\nURL=https://example.invalid/\n"},
        {"binary", QByteArray("\0\xff\xfe[Desktop Entry\0=\n\n\x01", 17)},
        {"huge", "[Desktop Entry]\nType=Link\nURL=file:///tmp\nComment=" + QByteArray(2 << 20, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("bad.desktop");
        Write(path, c.content);
        TLinkData in;
        EXPECT_EQ(ResolveShortcut(path, in, true), badFormat);
        EXPECT_EQ(in.IdList, nullptr);
    }
    TLinkData in;
    EXPECT_EQ(ResolveShortcut(dir.filePath("missing.desktop"), in, false), HResultFromWin32(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(Failed(CreateShortcut(dir.filePath("no/such/folder/x.desktop"), in)));
}

TEST(ShellLinks, LinkFilesAreOpenedByTheirBytesAndOnlyWhenRegular)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    TLinkData out;
    out.Path = dir.filePath("target.txt");

    // A link whose own name is not UTF-8 resolves; creating one under such a
    // name fails rather than writing another name.
    const QByteArray rawLink = folder + "/caf\xe9.desktop";
    QFile good(dir.filePath("good.desktop"));
    ASSERT_EQ(CreateShortcut(good.fileName(), out), S_OK);
    ASSERT_EQ(::rename(QFile::encodeName(good.fileName()).constData(), rawLink.constData()), 0);
    TLinkData in;
    EXPECT_EQ(ResolveShortcut(FileNameToString(rawLink), in, false), S_OK);
    EXPECT_EQ(in.Path, out.Path);
    const QByteArray otherRaw = folder + "/na\xefve.desktop";
    EXPECT_TRUE(Failed(CreateShortcut(FileNameToString(otherRaw), out)));
    // Nothing was written under a mangled name either.
    EXPECT_NE(::access(QFile::encodeName(FileNameToString(otherRaw)).constData(), F_OK), 0);

    // A FIFO or a folder named like a link is no link (and reading the FIFO
    // would wait for a writer forever).
    const QByteArray fifo = folder + "/fifo.desktop";
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
    EXPECT_EQ(ResolveShortcut(FileNameToString(fifo), in, false), HResultFromWin32(11));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.desktop"));
    EXPECT_EQ(ResolveShortcut(dir.filePath("folder.desktop"), in, false), HResultFromWin32(11));
    ::unlink(rawLink.constData()); // QTemporaryDir cannot remove a name that is not UTF-8
}
