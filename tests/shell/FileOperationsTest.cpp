#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/UPTShellControls.h"
#include "shell/UPTShellUtils.h"
#include "shell/fileops/DropEffectRules.h"
#include "shell/fileops/DropMenu.h"
#include "shell/fileops/FilePaths.h"
#include "shell/fileops/ShellFileVerbs.h"
#include "shell/fileops/TFileTransfer.h"
#include "shell/fileops/XdgTrash.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QByteArray readAll(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

QByteArray linkTarget(const QByteArray& path)
{
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
    return n < 0 ? QByteArray() : target.left(n);
}

// Answers message boxes from a list (then with No), and the drop menu with a
// set effect; keeps what was asked.
class Prompts
{
  public:
    Prompts()
        : m_previousBox(SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
              boxes.append(request);
              return answers.isEmpty() ? ptmbNo : answers.takeFirst();
          })),
          m_previousMenu(SetDropMenuHandler([this](HWND, std::uint32_t allowed, std::uint32_t def) {
              menuOffered = allowed;
              menuDefault = def;
              return menuAnswer;
          }))
    {
    }
    ~Prompts()
    {
        SetPTMessageBoxHandler(m_previousBox);
        SetDropMenuHandler(m_previousMenu);
    }

    QList<TPTMsgButton> answers;
    QList<TPTMessageBoxRequest> boxes;
    std::uint32_t menuAnswer = 0;
    std::uint32_t menuOffered = 0;
    std::uint32_t menuDefault = 0;

  private:
    TPTMessageBoxHandler m_previousBox;
    TDropMenuHandler m_previousMenu;
};

class FileOperations : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        makeDir(src());
        makeDir(dst());
        makeFile(src() + "/a.txt", "alpha");
        makeFile(src() + "/b.txt", "beta");
    }

    QByteArray src() const { return work() + "/src"; }
    QByteArray dst() const { return work() + "/dst"; }

    // Relative items of the named entries of a folder, with the folder.
    struct Selection {
        TIdListPtr folderList;
        TComPtr<IShellFolder> folder;
        std::vector<TIdListPtr> owned;
        QList<PCItemIDList> items;
    };
    std::unique_ptr<Selection> select(const QByteArray& folderPath, const QList<QByteArray>& names)
    {
        auto s = std::make_unique<Selection>();
        s->folderList.reset(parse(folderPath));
        s->folder = bind(s->folderList.get());
        for (const QByteArray& name : names) {
            PItemIDList item = nullptr;
            EXPECT_EQ(s->folder->ParseDisplayName(nullptr, nullptr, FileNameToString(name), nullptr,
                                                  &item, nullptr),
                      S_OK);
            s->owned.emplace_back(item);
            s->items.append(item);
        }
        return s;
    }

    // The drop target a folder's parent hands out for it, as the controls get it.
    TComPtr<IDropTarget> dropTargetOf(const QByteArray& folderPath)
    {
        const QByteArray parent = folderPath.left(folderPath.lastIndexOf('/'));
        auto s = select(parent, {folderPath.mid(folderPath.lastIndexOf('/') + 1)});
        TComPtr<IDropTarget> target;
        EXPECT_EQ(s->folder->GetUIObjectOf(nullptr, 1, s->items.constData(), IID_IDropTarget,
                                           nullptr, target.putVoid()),
                  S_OK);
        return target;
    }

    // A complete drop of the named items of src on a folder; the applied effect.
    std::uint32_t drop(const QList<QByteArray>& names, const QByteArray& onto,
                       std::uint32_t keyState,
                       std::uint32_t allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                       const QByteArray& from = QByteArray())
    {
        auto s = select(from.isEmpty() ? src() : from, names);
        TComPtr<IDataObject> data;
        EXPECT_EQ(
            TDataObject_shlv::Create(s->folder.get(), s->folderList.get(), s->items, data.put()),
            S_OK);
        TComPtr<IDropTarget> target = dropTargetOf(onto);
        if (!target)
            return 0xDEAD;
        std::uint32_t effect = allowed;
        EXPECT_EQ(target->DragEnter(data.get(), keyState, TPointL{}, &effect), S_OK);
        effect = allowed;
        EXPECT_EQ(target->DragOver(keyState, TPointL{}, &effect), S_OK);
        effect = allowed;
        EXPECT_EQ(target->Drop(data.get(), keyState, TPointL{}, &effect), S_OK);
        return effect;
    }

    Prompts prompts;
};

TEST(DropEffectRules, ModifiersAndVolumes)
{
    const std::uint32_t all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(ChooseDropEffect(0, all, true), DROPEFFECT_MOVE);
    EXPECT_EQ(ChooseDropEffect(0, all, false), DROPEFFECT_COPY);
    EXPECT_EQ(ChooseDropEffect(MK_CONTROL, all, true), DROPEFFECT_COPY);
    EXPECT_EQ(ChooseDropEffect(MK_SHIFT, all, false), DROPEFFECT_MOVE);
    EXPECT_EQ(ChooseDropEffect(MK_CONTROL | MK_SHIFT, all, true), DROPEFFECT_LINK);
    // A forced effect the source does not allow is no drop; the default falls back.
    EXPECT_EQ(ChooseDropEffect(MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_LINK, true), DROPEFFECT_NONE);
    EXPECT_EQ(ChooseDropEffect(0, DROPEFFECT_COPY | DROPEFFECT_LINK, true), DROPEFFECT_COPY);
    EXPECT_EQ(ChooseDropEffect(0, DROPEFFECT_LINK | DROPEFFECT_SCROLL, false), DROPEFFECT_LINK);
}

TEST_F(FileOperations, DropCopiesMovesAndLinksIntoAFolder)
{
    // WHEN a.txt is dropped with Ctrl THEN it is copied
    EXPECT_EQ(drop({"a.txt"}, dst(), MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(readAll(dst() + "/a.txt"), "alpha");
    EXPECT_EQ(readAll(src() + "/a.txt"), "alpha");

    // WHEN b.txt is dropped without modifiers on the same volume THEN it moves
    EXPECT_EQ(drop({"b.txt"}, dst(), MK_LBUTTON), DROPEFFECT_MOVE);
    EXPECT_EQ(readAll(dst() + "/b.txt"), "beta");
    EXPECT_FALSE(exists(src() + "/b.txt"));

    // WHEN the src folder is dropped with Ctrl+Shift on dst/.. THEN a link to it appears
    makeDir(work() + "/links");
    EXPECT_EQ(drop({"src"}, work() + "/links", MK_LBUTTON | MK_CONTROL | MK_SHIFT, 7, work()),
              DROPEFFECT_LINK);
    EXPECT_EQ(linkTarget(work() + "/links/src"), src());
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(FileOperations, OnlyFoldersHandOutDropTargets)
{
    auto s = select(src(), {"a.txt"});
    TComPtr<IDropTarget> target;
    EXPECT_EQ(s->folder->GetUIObjectOf(nullptr, 1, s->items.constData(), IID_IDropTarget, nullptr,
                                       target.putVoid()),
              E_NOINTERFACE);
    EXPECT_FALSE(target);
}

TEST_F(FileOperations, NameClashAsksBeforeReplacing)
{
    makeFile(dst() + "/a.txt", "old");
    makeFile(dst() + "/b.txt", "old");

    // No keeps the file in the folder; the drop did nothing.
    prompts.answers = {ptmbNo};
    EXPECT_EQ(drop({"a.txt"}, dst(), MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(readAll(dst() + "/a.txt"), "old");
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_TRUE(prompts.boxes[0].text.contains(QStringLiteral("\"a.txt\"")));
    EXPECT_TRUE((prompts.boxes[0].buttons & ptmbYesToAll));

    // Cancel stops before anything changes.
    prompts.answers = {ptmbCancel};
    EXPECT_EQ(drop({"a.txt", "b.txt"}, dst(), MK_CONTROL), DROPEFFECT_NONE);
    EXPECT_EQ(readAll(dst() + "/a.txt"), "old");
    EXPECT_EQ(readAll(dst() + "/b.txt"), "old");

    // Yes to All replaces both with one question, and no temporary file stays.
    prompts.boxes.clear();
    prompts.answers = {ptmbYesToAll};
    EXPECT_EQ(drop({"a.txt", "b.txt"}, dst(), MK_SHIFT), DROPEFFECT_MOVE);
    EXPECT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(readAll(dst() + "/a.txt"), "alpha");
    EXPECT_EQ(readAll(dst() + "/b.txt"), "beta");
    EXPECT_EQ(QDir(QFile::decodeName(dst()))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              2);
}

TEST_F(FileOperations, KeepBothPutsTheDroppedItemBesideTheOneItMeets)
{
    makeFile(dst() + "/a.txt", "old");

    // GIVEN a move onto a name that exists, WHEN the user keeps both
    prompts.answers = {ptmbIgnore};
    EXPECT_EQ(drop({"a.txt"}, dst(), MK_SHIFT), DROPEFFECT_MOVE);
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_TRUE(prompts.boxes[0].buttons & ptmbIgnore);
    EXPECT_EQ(prompts.boxes[0].buttonTexts.value(0).second, QStringLiteral("Keep Both"));
    // THEN neither file is lost: the old one stays, the moved one has a copy name
    EXPECT_EQ(readAll(dst() + "/a.txt"), "old");
    EXPECT_EQ(readAll(dst() + "/a (copy).txt"), "alpha");
    EXPECT_FALSE(exists(src() + "/a.txt"));
}

TEST_F(FileOperations, FilesMetInsideAMergedFolderCannotBeKeptBoth)
{
    makeDir(src() + "/sub");
    makeFile(src() + "/sub/keep", "new keep");
    makeDir(dst() + "/sub");
    makeFile(dst() + "/sub/keep", "old keep");
    prompts.answers = {ptmbNo};
    drop({"sub"}, dst(), MK_CONTROL);
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_FALSE(prompts.boxes[0].buttons & ptmbIgnore);
}

TEST_F(FileOperations, FoldersMergeAndSkippedFilesStayAtTheSource)
{
    makeDir(src() + "/sub");
    makeFile(src() + "/sub/keep", "new keep");
    makeFile(src() + "/sub/go", "go");
    makeDir(dst() + "/sub");
    makeFile(dst() + "/sub/keep", "old keep");

    prompts.answers = {ptmbNo};
    EXPECT_EQ(drop({"sub"}, dst(), MK_SHIFT), DROPEFFECT_MOVE);
    EXPECT_EQ(readAll(dst() + "/sub/go"), "go");
    EXPECT_EQ(readAll(dst() + "/sub/keep"), "old keep");
    // The skipped file was not thrown away with its folder.
    EXPECT_EQ(readAll(src() + "/sub/keep"), "new keep");
    EXPECT_FALSE(exists(src() + "/sub/go"));
}

TEST_F(FileOperations, ASkippedFileDeepInAMergeIsNoFailure)
{
    makeDir(src() + "/top");
    makeDir(src() + "/top/sub");
    makeFile(src() + "/top/sub/keep", "new keep");
    makeFile(src() + "/top/go", "go");
    makeDir(dst() + "/top");
    makeDir(dst() + "/top/sub");
    makeFile(dst() + "/top/sub/keep", "old keep");

    // No for the one clash two levels down: everything else moves, the skipped
    // file stays with its folders, and nothing is reported as having failed.
    prompts.answers = {ptmbNo};
    EXPECT_EQ(TFileTransfer(TTransferKind::Move, dst()).Run({src() + "/top"}), S_OK);
    EXPECT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(readAll(dst() + "/top/go"), "go");
    EXPECT_EQ(readAll(dst() + "/top/sub/keep"), "old keep");
    EXPECT_EQ(readAll(src() + "/top/sub/keep"), "new keep");
    EXPECT_FALSE(exists(src() + "/top/go"));
}

TEST_F(FileOperations, FolderIntoItselfIsRefused)
{
    makeDir(work() + "/top");
    makeFile(work() + "/top/file", "x");
    makeDir(work() + "/top/inner");
    {
        // While dragging, the folder and its subfolders show no drop.
        auto s = select(work(), {"top"});
        TComPtr<IDataObject> data;
        ASSERT_EQ(
            TDataObject_shlv::Create(s->folder.get(), s->folderList.get(), s->items, data.put()),
            S_OK);
        TComPtr<IDropTarget> inner = dropTargetOf(work() + "/top/inner");
        std::uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(inner->DragEnter(data.get(), MK_LBUTTON, TPointL{}, &effect), S_OK);
        EXPECT_EQ(effect, DROPEFFECT_NONE);
        EXPECT_EQ(inner->DragLeave(), S_OK);
    }
    EXPECT_EQ(drop({"top"}, work() + "/top/inner", MK_SHIFT, 7, work()), DROPEFFECT_NONE);
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_TRUE(prompts.boxes[0].text.contains(QStringLiteral("\"top\"")));
    EXPECT_TRUE(prompts.boxes[0].text.contains(QStringLiteral("itself")));
    EXPECT_EQ(readAll(work() + "/top/file"), "x");

    // A copy into itself would never end; it is refused the same way.
    EXPECT_EQ(TFileTransfer(TTransferKind::Copy, work() + "/top").Run({work() + "/top"}),
              E_INVALIDARG);
    EXPECT_FALSE(exists(work() + "/top/top"));
}

TEST_F(FileOperations, ALinkToAFolderCanBeDroppedIntoThatFolder)
{
    // A link is moved or copied as a link, so its target's folders are no
    // "folder into itself".
    makeDir(work() + "/target");
    makeLink(work() + "/target", src() + "/shortcut");
    {
        auto s = select(src(), {"shortcut"});
        TComPtr<IDataObject> data;
        ASSERT_EQ(
            TDataObject_shlv::Create(s->folder.get(), s->folderList.get(), s->items, data.put()),
            S_OK);
        TComPtr<IDropTarget> target = dropTargetOf(work() + "/target");
        std::uint32_t effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragEnter(data.get(), MK_LBUTTON, TPointL{}, &effect), S_OK);
        EXPECT_EQ(effect, DROPEFFECT_MOVE);
        EXPECT_EQ(target->DragLeave(), S_OK);
    }
    EXPECT_EQ(drop({"shortcut"}, work() + "/target", MK_LBUTTON), DROPEFFECT_MOVE);
    EXPECT_EQ(linkTarget(work() + "/target/shortcut"), work() + "/target");
    EXPECT_FALSE(exists(src() + "/shortcut"));
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(FileOperations, DotNamesFromAnotherProgramAreRefused)
{
    // GIVEN a URI list naming a folder by a path that ends in ".." or "."
    makeDir(src() + "/inner");
    makeDir(work() + "/far");
    auto* uris = new QMimeData;
    uris->setData(QStringLiteral("text/uri-list"), "file://" + src() + "/inner/..\r\n");
    QGuiApplication::clipboard()->setMimeData(uris);
    // THEN nothing lands beside the target folder, and the source stays
    EXPECT_EQ(FileVerbPaste(work() + "/far", nullptr), HResultFromWin32(ERROR_INVALID_NAME));
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(exists(work() + "/a.txt"));
    EXPECT_FALSE(exists(work() + "/inner"));
    for (const QByteArray& path : {src() + "/inner/.", QByteArray("/")}) {
        for (TTransferKind kind : {TTransferKind::Copy, TTransferKind::Move, TTransferKind::Link})
            EXPECT_EQ(TFileTransfer(kind, work() + "/far").Run({path}),
                      HResultFromWin32(ERROR_INVALID_NAME))
                << path.constData();
    }
    EXPECT_TRUE(QDir(QFile::decodeName(work() + "/far"))
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_EQ(readAll(src() + "/a.txt"), "alpha");
    EXPECT_TRUE(exists(src() + "/inner"));
}

TEST_F(FileOperations, CopyIntoTheSameFolderMakesACopyName)
{
    EXPECT_EQ(drop({"a.txt"}, src(), MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(drop({"a.txt"}, src(), MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(readAll(src() + "/a (copy).txt"), "alpha");
    EXPECT_EQ(readAll(src() + "/a (copy 2).txt"), "alpha");
    // Moving files to where they are is no drop at all.
    EXPECT_EQ(drop({"a.txt"}, src(), 0), DROPEFFECT_NONE);
}

TEST_F(FileOperations, RightButtonDropAsks)
{
    // The menu offers what the source allows, the usual effect first.
    prompts.menuAnswer = DROPEFFECT_LINK;
    EXPECT_EQ(drop({"a.txt"}, dst(), MK_RBUTTON, DROPEFFECT_COPY | DROPEFFECT_LINK),
              DROPEFFECT_LINK);
    EXPECT_EQ(prompts.menuOffered, DROPEFFECT_COPY | DROPEFFECT_LINK);
    EXPECT_EQ(prompts.menuDefault, DROPEFFECT_COPY);
    EXPECT_EQ(linkTarget(dst() + "/a.txt"), src() + "/a.txt");

    prompts.menuAnswer = 0; // Cancel
    EXPECT_EQ(drop({"b.txt"}, dst(), MK_RBUTTON), DROPEFFECT_NONE);
    EXPECT_EQ(prompts.menuDefault, DROPEFFECT_MOVE);
    EXPECT_FALSE(exists(dst() + "/b.txt"));
    EXPECT_TRUE(exists(src() + "/b.txt"));
}

TEST_F(FileOperations, FailedCopyLeavesTheSourceAndNoDebris)
{
    makeDir(src() + "/tree");
    makeFile(src() + "/tree/first", "1");
    ASSERT_EQ(::mkfifo((src() + "/tree/pipe").constData(), 0644), 0);
    makeFile(src() + "/tree/zlast", "2");

    EXPECT_EQ(TFileTransfer(TTransferKind::Copy, dst()).Run({src() + "/tree"}),
              HResultFromWin32(ERROR_NOT_SUPPORTED));
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_TRUE(prompts.boxes[0].text.startsWith(QStringLiteral("Cannot copy")));
    EXPECT_EQ(readAll(src() + "/tree/first"), "1");
    EXPECT_EQ(readAll(src() + "/tree/zlast"), "2");
    const QStringList left = QDir(QFile::decodeName(dst() + "/tree"))
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : left)
        EXPECT_FALSE(name.startsWith(QStringLiteral(".veldmark-"))) << qPrintable(name);

    // A folder is never replaced by a file.
    makeDir(dst() + "/a.txt");
    EXPECT_EQ(TFileTransfer(TTransferKind::Move, dst()).Run({src() + "/a.txt"}), E_INVALIDARG);
    EXPECT_EQ(readAll(src() + "/a.txt"), "alpha");
}

TEST_F(FileOperations, TheSameFolderSeenThroughAnotherMountIsLeftAlone)
{
    // A private mount namespace keeps the bind mount away from the machine.
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "needs the right to make a mount namespace";
    // GIVEN src mounted a second time as other/src
    makeDir(work() + "/other");
    makeDir(work() + "/other/src");
    ASSERT_EQ(
        ::mount(src().constData(), (work() + "/other/src").constData(), nullptr, MS_BIND, nullptr),
        0);
    // WHEN src is moved or copied into other, "replacing" what is there
    prompts.answers = {ptmbYesToAll, ptmbYesToAll};
    const HRESULT moved = TFileTransfer(TTransferKind::Move, work() + "/other").Run({src()});
    const HRESULT copied =
        TFileTransfer(TTransferKind::Copy, work() + "/other/src").Run({src() + "/a.txt"});
    const HRESULT fileMoved =
        TFileTransfer(TTransferKind::Move, work() + "/other/src").Run({src() + "/b.txt"});
    ::umount((work() + "/other/src").constData());
    // THEN nothing is replaced by itself: the files are still there
    EXPECT_EQ(moved, S_OK);
    EXPECT_EQ(copied, S_OK);
    EXPECT_EQ(fileMoved, S_OK);
    EXPECT_EQ(readAll(src() + "/a.txt"), "alpha");
    EXPECT_EQ(readAll(src() + "/b.txt"), "beta");
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(FileOperations, MoveAcrossVolumesCopiesThenDeletes)
{
    struct stat here;
    struct stat shm;
    if (::stat("/dev/shm", &shm) != 0 || ::stat(work().constData(), &here) != 0 ||
        shm.st_dev == here.st_dev)
        GTEST_SKIP() << "no second file system to move to";
    QTemporaryDir other(QStringLiteral("/dev/shm/veldmark-test-XXXXXX"));
    ASSERT_TRUE(other.isValid());
    const QByteArray target = QFile::encodeName(other.path());
    makeDir(src() + "/sub");
    makeFile(src() + "/sub/inner", "inner");
    ::chmod((src() + "/a.txt").constData(), 0640);
    makeLink("a.txt", src() + "/link");

    // Without modifiers files are copied across volumes; Shift moves them.
    makeDir(target + "/copied");
    EXPECT_EQ(drop({"b.txt"}, target + "/copied", 0), DROPEFFECT_COPY);
    EXPECT_TRUE(exists(src() + "/b.txt"));

    EXPECT_EQ(TFileTransfer(TTransferKind::Move, target)
                  .Run({src() + "/a.txt", src() + "/sub", src() + "/link"}),
              S_OK);
    EXPECT_EQ(readAll(target + "/a.txt"), "alpha");
    EXPECT_EQ(readAll(target + "/sub/inner"), "inner");
    EXPECT_EQ(linkTarget(target + "/link"), "a.txt");
    struct stat st;
    ASSERT_EQ(::stat((target + "/a.txt").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_FALSE(exists(src() + "/a.txt"));
    EXPECT_FALSE(exists(src() + "/sub"));
    EXPECT_FALSE(exists(src() + "/link"));
}

TEST_F(FileOperations, DeleteGoesToTheTrash)
{
    makeFile(src() + "/b c.txt", "spaced");
    {
        auto s = select(src(), {"a.txt", "b c.txt"});
        EXPECT_EQ(FileVerbDelete(s->folder.get(), s->items, nullptr), S_OK);
    }
    const QByteArray trash = dataHome() + "/Trash";
    EXPECT_FALSE(exists(src() + "/a.txt"));
    EXPECT_EQ(readAll(trash + "/files/a.txt"), "alpha");
    EXPECT_EQ(readAll(trash + "/files/b c.txt"), "spaced");
    const QByteArray info = readAll(trash + "/info/b c.txt.trashinfo");
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=" + src() + "/b%20c.txt\nDeletionDate="))
        << info.constData();
    EXPECT_TRUE(
        QDateTime::fromString(QString::fromLatin1(info.split('=').last().trimmed()), Qt::ISODate)
            .isValid());

    // A second item of the same name gets a name of its own in the trash.
    makeFile(src() + "/a.txt", "again");
    QByteArray trashedAs;
    EXPECT_EQ(XdgTrash::MoveToTrash(src() + "/a.txt", &trashedAs), S_OK);
    EXPECT_EQ(trashedAs, trash + "/files/a.txt.2");
    EXPECT_EQ(readAll(trash + "/files/a.txt"), "alpha");
    EXPECT_TRUE(exists(trash + "/info/a.txt.2.trashinfo"));
    EXPECT_EQ(XdgTrash::MoveToTrash(src() + "/gone"), HResultFromWin32(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileOperations, ItemsOfOtherVolumesGoToTheirVolumesTrash)
{
    struct stat here;
    struct stat shm;
    const QByteArray volumeTrash = "/dev/shm/.Trash-" + QByteArray::number(::getuid());
    if (::stat("/dev/shm", &shm) != 0 || ::stat(work().constData(), &here) != 0 ||
        shm.st_dev == here.st_dev || exists(volumeTrash) || exists("/dev/shm/.Trash"))
        GTEST_SKIP() << "no second file system with a trash of our own to make";
    QTemporaryDir other(QStringLiteral("/dev/shm/veldmark-test-XXXXXX"));
    ASSERT_TRUE(other.isValid());
    const QByteArray item = QFile::encodeName(other.path()) + "/gone.txt";
    makeFile(item, "far");

    QByteArray trashedAs;
    const HRESULT hr = XdgTrash::MoveToTrash(item, &trashedAs);
    const QByteArray info = readAll(volumeTrash + "/info/gone.txt.trashinfo");
    const QByteArray content = readAll(volumeTrash + "/files/gone.txt");
    struct stat st;
    const bool privateFolder = ::stat(volumeTrash.constData(), &st) == 0 && (st.st_mode & 077) == 0;
    FilePaths::RemoveTree(volumeTrash);

    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(trashedAs, volumeTrash + "/files/gone.txt");
    EXPECT_EQ(content, "far");
    EXPECT_TRUE(privateFolder);
    // The path is kept relative to the top of the volume.
    const QByteArray relative = item.mid(QByteArray("/dev/shm/").size());
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=" + relative + "\n")) << info.constData();
}

TEST_F(FileOperations, CutAndPasteThroughTheClipboard)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    {
        auto s = select(src(), {"a.txt"});
        ASSERT_EQ(FileVerbCut(s->folder.get(), s->folderList.get(), s->items), S_OK);
    }
    // Other file managers see the files and that they were cut.
    EXPECT_EQ(clipboard->mimeData()->data(QStringLiteral("x-special/gnome-copied-files")),
              "cut\nfile://" + src() + "/a.txt");
    EXPECT_TRUE(CanPasteFiles());
    EXPECT_EQ(FileVerbPaste(dst(), nullptr), S_OK);
    EXPECT_EQ(readAll(dst() + "/a.txt"), "alpha");
    EXPECT_FALSE(exists(src() + "/a.txt"));
    // The cut files have gone; the clipboard no longer names them.
    EXPECT_FALSE(CanPasteFiles());
    EXPECT_EQ(FileVerbPaste(dst(), nullptr), S_FALSE);

    {
        auto s = select(src(), {"b.txt"});
        ASSERT_EQ(FileVerbCopy(s->folder.get(), s->folderList.get(), s->items), S_OK);
    }
    EXPECT_EQ(FileVerbPaste(dst(), nullptr), S_OK);
    EXPECT_EQ(readAll(dst() + "/b.txt"), "beta");
    EXPECT_EQ(readAll(src() + "/b.txt"), "beta");
    EXPECT_TRUE(CanPasteFiles());

    // Files another program copied arrive too.
    makeDir(work() + "/third");
    auto* foreign = new QMimeData;
    foreign->setData(QStringLiteral("x-special/gnome-copied-files"),
                     "copy\nfile://" + dst() + "/a.txt\n");
    clipboard->setMimeData(foreign);
    EXPECT_EQ(FileVerbPaste(work() + "/third", nullptr), S_OK);
    EXPECT_EQ(readAll(work() + "/third/a.txt"), "alpha");

    // So do files cut in a file manager that puts the list in plain text.
    makeDir(work() + "/fourth");
    auto* text = new QMimeData;
    text->setText(QStringLiteral("x-special/nautilus-clipboard\ncut\nfile://") +
                  QFile::decodeName(work()) + QStringLiteral("/third/a.txt\n"));
    clipboard->setMimeData(text);
    EXPECT_EQ(FileVerbPaste(work() + "/fourth", nullptr), S_OK);
    EXPECT_EQ(readAll(work() + "/fourth/a.txt"), "alpha");
    EXPECT_FALSE(exists(work() + "/third/a.txt"));
    clipboard->clear();
}

TEST_F(FileOperations, CreateLinkBesideTheItem)
{
    auto s = select(src(), {"b.txt"});
    EXPECT_EQ(FileVerbCreateLink(s->folder.get(), s->items, nullptr), S_OK);
    EXPECT_EQ(FileVerbCreateLink(s->folder.get(), s->items, nullptr), S_OK);
    EXPECT_EQ(linkTarget(src() + "/Link to b.txt"), src() + "/b.txt");
    EXPECT_EQ(linkTarget(src() + "/Link to b.txt (2)"), src() + "/b.txt");
}

} // namespace
