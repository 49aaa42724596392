#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/UPTShellUtils.h"
#include "shell/namespace/ItemData.h"
#include "shell/namespace/NamespacePaths.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

QByteArray pathOf(PCItemIDList list)
{
    return FileNameFromString(ShellGetPathFromIdList(list));
}

std::uint32_t attributesOf(IShellFolder* folder, PCItemIDList item, std::uint32_t requested)
{
    std::uint32_t attributes = requested;
    EXPECT_EQ(folder->GetAttributesOf(1, &item, &attributes), S_OK);
    return attributes;
}

// The folder holding an absolute list's last item, and that item.
TComPtr<IShellFolder> parentFolder(PCItemIDList absolute, PCItemIDList& last)
{
    TPTIdListArray view(absolute);
    TComPtr<IShellFolder> parent;
    EXPECT_EQ(ShellGetFolderFromIdList(view.GoUp(1), parent.put()), S_OK);
    last = IdListLastItem(absolute);
    return parent;
}

} // namespace

using ShellNamespace = NamespaceFixture;

TEST_F(ShellNamespace, PathsRoundTripThroughIdLists)
{
    // GIVEN ordinary, hidden, linked, non-UTF-8 and deep entries
    makeFile(work() + "/plain.txt");
    makeFile(work() + "/.hidden file");
    makeLink("plain.txt", work() + "/link.txt");
    makeDir(work() + "/real");
    makeLink(work() + "/real", work() + "/dirlink");
    makeFile(work() + "/real/inside");
    makeFile(work() + "/bad\xff\xfe name");
    makeFile(work() + "/line\nbreak, back\\slash: \"quoted\"*?");
    QByteArray deep = work();
    for (int i = 0; i < 40; ++i) {
        deep += "/level-" + QByteArray::number(i) + "-abcdefghijklmnop";
        makeDir(deep);
    }
    ASSERT_GT(deep.size(), 1000);

    const QByteArray paths[] = {work() + "/plain.txt",
                                work() + "/.hidden file",
                                work() + "/link.txt",
                                work() + "/dirlink/inside",
                                work() + "/bad\xff\xfe name",
                                work() + "/line\nbreak, back\\slash: \"quoted\"*?",
                                deep,
                                QByteArray("/")};
    for (const QByteArray& path : paths) {
        // WHEN a path is parsed and turned back into a path
        TIdListPtr list(parse(path));
        ASSERT_TRUE(list) << path.constData();
        // THEN it is the same bytes, and the list runs Computer / volume / ...
        EXPECT_EQ(pathOf(list.get()), path);
        ItemData::View first;
        ASSERT_TRUE(ItemData::Read(list.get(), first));
        EXPECT_EQ(first.kind, ItemData::KindComputer);
        ItemData::View volume;
        ASSERT_TRUE(ItemData::Read(IdListNext(list.get()), volume));
        EXPECT_EQ(volume.kind, ItemData::KindVolume);
    }

    // Names of deep items asked of the desktop come from the last item's folder.
    TIdListPtr plain(parse(work() + "/plain.txt"));
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, plain.get(), ptfnInFolder),
              QStringLiteral("plain.txt"));
    EXPECT_EQ(
        FileNameFromString(ShellGetFriendlyNameFromIdList(nullptr, plain.get(), ptfnForParsing)),
        work() + "/plain.txt");
    TComPtr<IShellFolder> notAFolder;
    EXPECT_TRUE(Failed(ShellGetFolderFromIdList(plain.get(), notAFolder.put())));
    EXPECT_FALSE(notAFolder);

    // Dot segments, doubled slashes and "~" are the namespace's to resolve.
    TIdListPtr messy(parse(work() + "//real/./../plain.txt"));
    EXPECT_EQ(pathOf(messy.get()), work() + "/plain.txt");
    EXPECT_EQ(FileNameFromString(ShellGetDisplayPathName(QStringLiteral("~/Documents"))),
              home() + "/Documents");
}

TEST_F(ShellNamespace, PathsOfTheKernelsFullLengthRoundTripAndRename)
{
    // GIVEN a file whose path is exactly 4095 bytes, the longest the kernel takes
    QByteArray dir = work();
    for (char c = 'a'; dir.size() + 201 + 100 < NamespacePaths::kMaxPathBytes; ++c) {
        dir += '/' + QByteArray(200, c);
        makeDir(dir);
    }
    const QByteArray name(NamespacePaths::kMaxPathBytes - dir.size() - 1, 'z');
    const QByteArray path = dir + '/' + name;
    ASSERT_EQ(path.size(), NamespacePaths::kMaxPathBytes);
    makeFile(path, "deep");

    // WHEN it is parsed from the desktop and, relatively, from the "/" volume
    TIdListPtr list(parse(path));
    ASSERT_TRUE(list);
    EXPECT_EQ(pathOf(list.get()), path);
    TIdListPtr root(parse("/"));
    TComPtr<IShellFolder> rootFolder = bind(root.get());
    PItemIDList relative = nullptr;
    EXPECT_EQ(rootFolder->ParseDisplayName(nullptr, nullptr, FileNameToString(path.mid(1)), nullptr,
                                           &relative, nullptr),
              S_OK);
    TIdListPtr ownedRelative(relative);
    EXPECT_EQ(IdListItemCount(relative), IdListItemCount(list.get()) - 2);
    // One byte more is refused, never cut down to another path.
    EXPECT_EQ(rootFolder->ParseDisplayName(nullptr, nullptr, FileNameToString(path.mid(1) + "z"),
                                           nullptr, &relative, nullptr),
              HResultFromWin32(ERROR_FILENAME_EXCED_RANGE));

    // THEN it renames to another name of the same length
    PCItemIDList last = nullptr;
    TComPtr<IShellFolder> parent = parentFolder(list.get(), last);
    PItemIDList renamed = nullptr;
    ASSERT_EQ(
        parent->SetNameOf(nullptr, last, QString(name.size(), u'y'), SHGDN_INFOLDER, &renamed),
        S_OK);
    TIdListPtr ownedRenamed(renamed);
    EXPECT_TRUE(QFile::exists(FileNameToString(dir + '/' + QByteArray(name.size(), 'y'))));
}

TEST_F(ShellNamespace, ParsingReportsWhatIsMissing)
{
    TComPtr<IShellFolder> root = desktop();
    PItemIDList list = nullptr;
    EXPECT_EQ(root->ParseDisplayName(nullptr, nullptr, FileNameToString(work() + "/nothing"),
                                     nullptr, &list, nullptr),
              HResultFromWin32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(root->ParseDisplayName(nullptr, nullptr, FileNameToString(work() + "/no/thing"),
                                     nullptr, &list, nullptr),
              HResultFromWin32(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(root->ParseDisplayName(nullptr, nullptr, QStringLiteral("relative/name"), nullptr,
                                     &list, nullptr),
              E_INVALIDARG);
    // Longer than the kernel takes: refused, never cut down to another path.
    const QByteArray tooLong = work() + "/" + QByteArray(5000, 'x');
    EXPECT_EQ(root->ParseDisplayName(nullptr, nullptr, FileNameToString(tooLong), nullptr, &list,
                                     nullptr),
              HResultFromWin32(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(ShellGetDisplayPathName(FileNameToString(work() + "/nothing")), QString());
}

TEST_F(ShellNamespace, AttributesOfFilesFoldersAndLinks)
{
    makeFile(work() + "/readonly.txt");
    ASSERT_EQ(::chmod((work() + "/readonly.txt").constData(), 0444), 0);
    makeFile(work() + "/writable.txt");
    makeDir(work() + "/empty");
    makeDir(work() + "/parent");
    makeDir(work() + "/parent/child");
    makeLink("nowhere", work() + "/dangling");

    const std::uint32_t all = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR |
                              SFGAO_HASSUBFOLDER | SFGAO_LINK | SFGAO_READONLY | SFGAO_GHOSTED |
                              SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANCOPY | SFGAO_DROPTARGET |
                              SFGAO_VALIDATE;
    auto check = [&](const QByteArray& path) {
        TIdListPtr list(parse(path));
        PCItemIDList last = nullptr;
        TComPtr<IShellFolder> parent = parentFolder(list.get(), last);
        return attributesOf(parent.get(), last, all);
    };
    const std::uint32_t readOnly = check(work() + "/readonly.txt");
    EXPECT_TRUE(readOnly & SFGAO_READONLY);
    EXPECT_TRUE(readOnly & SFGAO_FILESYSTEM);
    EXPECT_FALSE(readOnly & SFGAO_FOLDER);
    EXPECT_TRUE(readOnly & SFGAO_CANRENAME);
    EXPECT_FALSE(check(work() + "/writable.txt") & SFGAO_READONLY);

    const std::uint32_t empty = check(work() + "/empty");
    EXPECT_EQ(empty & (SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET),
              SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET);
    EXPECT_FALSE(empty & SFGAO_HASSUBFOLDER);
    EXPECT_TRUE(check(work() + "/parent") & SFGAO_HASSUBFOLDER);

    const std::uint32_t dangling = check(work() + "/dangling");
    EXPECT_TRUE(dangling & SFGAO_LINK);
    EXPECT_FALSE(dangling & SFGAO_FOLDER);

    // Attributes of several items are those they all have.
    TIdListPtr a(parse(work() + "/readonly.txt"));
    TIdListPtr b(parse(work() + "/writable.txt"));
    PCItemIDList last = nullptr;
    TComPtr<IShellFolder> parent = parentFolder(a.get(), last);
    PCItemIDList both[] = {IdListLastItem(a.get()), IdListLastItem(b.get())};
    std::uint32_t common = SFGAO_READONLY | SFGAO_FILESYSTEM;
    EXPECT_EQ(parent->GetAttributesOf(2, both, &common), S_OK);
    EXPECT_EQ(common, SFGAO_FILESYSTEM);

    // Validation notices an entry that went away since the list was made.
    ASSERT_EQ(::unlink((work() + "/writable.txt").constData()), 0);
    std::uint32_t validate = SFGAO_VALIDATE;
    PCItemIDList gone = IdListLastItem(b.get());
    EXPECT_EQ(parent->GetAttributesOf(1, &gone, &validate), HResultFromWin32(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellNamespace, EnumerationHonoursFlagsHiddenFilesAndOddLinks)
{
    makeDir(work() + "/folder");
    makeFile(work() + "/file");
    makeFile(work() + "/.dotfile");
    makeFile(work() + "/listed");
    makeFile(work() + "/.hidden", "listed\n");
    makeLink("dangling-target", work() + "/dangling");
    makeLink("loop", work() + "/loop");
    makeFile(work() + "/bad\xff");

    TIdListPtr list(parse(work()));
    TComPtr<IShellFolder> folder = bind(list.get());
    auto sorted = [](QList<QByteArray> names) {
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(sorted(listNames(folder.get(), SHCONTF_FOLDERS)), (QList<QByteArray>{"folder"}));
    EXPECT_EQ(sorted(listNames(folder.get(), SHCONTF_NONFOLDERS)),
              (QList<QByteArray>{"bad\xff", "dangling", "file", "loop"}));
    EXPECT_EQ(sorted(listNames(folder.get(),
                               SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN)),
              (QList<QByteArray>{".dotfile", ".hidden", "bad\xff", "dangling", "file", "folder",
                                 "listed", "loop"}));

    // The caption of a name that is not UTF-8 is legible; parsing it again
    // reaches the same file.
    TIdListPtr bad(parse(work() + "/bad\xff"));
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, bad.get(), ptfnInFolder),
              QStringLiteral("bad\uFFFD"));
    TStrRet addressBar;
    ASSERT_EQ(
        desktop()->GetDisplayNameOf(bad.get(), SHGDN_FORPARSING | SHGDN_FORADDRESSBAR, &addressBar),
        S_OK);
    EXPECT_EQ(StrretToString(bad.get(), addressBar), FileNameForDisplay(work() + "/bad\xff"));
    StrretFree(addressBar);
    const QString parsing = ShellGetFriendlyNameFromIdList(nullptr, bad.get(), ptfnForParsing);
    TIdListPtr again;
    ASSERT_EQ(ShellGetIdListFromPath(parsing, again.put()), S_OK);
    EXPECT_EQ(CompareAbsIdLists(bad.get(), again.get()), 0);

    PCItemIDList last = nullptr;
    TIdListPtr listed(parse(work() + "/listed"));
    TComPtr<IShellFolder> parent = parentFolder(listed.get(), last);
    EXPECT_TRUE(attributesOf(parent.get(), last, SFGAO_GHOSTED) & SFGAO_GHOSTED);
}

TEST_F(ShellNamespace, HiddenListsAreReadByBytesAndNeverWaitOnAFifo)
{
    // A folder whose name is not UTF-8 still has its .hidden list read.
    makeDir(work() + "/bad\xff");
    makeFile(work() + "/bad\xff/secret");
    makeFile(work() + "/bad\xff/shown");
    makeFile(work() + "/bad\xff/.hidden", "secret\n");
    TIdListPtr bad(parse(work() + "/bad\xff"));
    TComPtr<IShellFolder> badFolder = bind(bad.get());
    EXPECT_EQ(listNames(badFolder.get(), SHCONTF_NONFOLDERS), (QList<QByteArray>{"shown"}));

    // A FIFO named .hidden is no list: reading it would wait for a writer forever.
    makeDir(work() + "/fifo");
    makeFile(work() + "/fifo/file");
    ASSERT_EQ(::mkfifo((work() + "/fifo/.hidden").constData(), 0644), 0);
    TIdListPtr fifo(parse(work() + "/fifo/file"));
    ASSERT_TRUE(fifo);
    TPTIdListArray view(fifo.get());
    TComPtr<IShellFolder> fifoFolder = bind(view.GoUp(1));
    EXPECT_EQ(listNames(fifoFolder.get(), SHCONTF_NONFOLDERS), (QList<QByteArray>{"file"}));
}

TEST_F(ShellNamespace, UnreadableFoldersFailSoftly)
{
    makeDir(work() + "/locked");
    makeDir(work() + "/listonly");
    makeFile(work() + "/listonly/seen");
    ASSERT_EQ(::chmod((work() + "/locked").constData(), 0), 0);
    ASSERT_EQ(::chmod((work() + "/listonly").constData(), 0444), 0);

    // Root passes every permission check (and CI runs as root): then the
    // checks below run in a child process that has given up root, and which
    // ends with them however they end.
    struct ChildExit {
        bool active = false;
        ~ChildExit()
        {
            if (!active)
                return;
            std::fflush(nullptr);
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        }
    } childExit;
    if (::geteuid() == 0) {
        const QByteArray root = home().chopped(5);
        for (const QByteArray& dir : {root, home(), home() + "/Desktop", work()})
            ASSERT_EQ(::chmod(dir.constData(), 0755), 0);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child != 0) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            if (WEXITSTATUS(status) == 77)
                GTEST_SKIP() << "no unprivileged user can reach the temporary folder";
            EXPECT_EQ(WEXITSTATUS(status), 0) << "failures were reported by the child above";
            return;
        }
        childExit.active = true;
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0 ||
            ::access(work().constData(), R_OK | X_OK) != 0)
            std::_Exit(77);
    }

    TIdListPtr locked(parse(work() + "/locked"));
    TComPtr<IShellFolder> lockedFolder = bind(locked.get());
    TComPtr<IEnumIDList> items;
    EXPECT_EQ(lockedFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.put()),
              E_ACCESSDENIED);

    TIdListPtr listOnly(parse(work() + "/listonly"));
    TComPtr<IShellFolder> listOnlyFolder = bind(listOnly.get());
    EXPECT_EQ(listNames(listOnlyFolder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
              (QList<QByteArray>{"seen"}));
    // What cannot be read has no subfolders to show and cannot be parsed into.
    PCItemIDList last = nullptr;
    TComPtr<IShellFolder> parent = parentFolder(locked.get(), last);
    EXPECT_EQ(attributesOf(parent.get(), last, SFGAO_FOLDER | SFGAO_HASSUBFOLDER), SFGAO_FOLDER);
    PItemIDList inside = nullptr;
    EXPECT_EQ(desktop()->ParseDisplayName(nullptr, nullptr,
                                          FileNameToString(work() + "/listonly/seen"), nullptr,
                                          &inside, nullptr),
              E_ACCESSDENIED);
    EXPECT_EQ(inside, nullptr);
}

TEST_F(ShellNamespace, CompareIdsSortsFoldersFirstAndNamesNaturally)
{
    makeFile(work() + "/file10", "1234567890");
    makeFile(work() + "/File2", "1");
    makeFile(work() + "/file1", "12345");
    makeDir(work() + "/zeta");
    makeDir(work() + "/Alpha");
    // Modified times in an order that is neither the names' nor their reverse.
    const std::pair<const char*, long> times[] = {
        {"/file10", 1000}, {"/File2", 2000}, {"/file1", 3000}, {"/zeta", 1500}, {"/Alpha", 2500}};
    for (const auto& [name, seconds] : times) {
        const timespec both[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (work() + name).constData(), both, 0), 0) << name;
    }

    TIdListPtr list(parse(work()));
    TComPtr<IShellFolder> folder = bind(list.get());
    TPTPidlList items;
    items.SetMalloc(ShellIMalloc());
    TComPtr<IEnumIDList> enumList;
    ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, enumList.put()),
              S_OK);
    PItemIDList item = nullptr;
    std::uint32_t fetched = 0;
    while (enumList->Next(1, &item, &fetched) == S_OK)
        items.Add(item);
    auto orderBy = [&](int column) {
        std::vector<PCItemIDList> sorted;
        for (int i = 0; i < items.GetCount(); ++i)
            sorted.push_back(items.GetPIDL(i));
        std::sort(sorted.begin(), sorted.end(), [&](PCItemIDList x, PCItemIDList y) {
            return ShortFromResult(folder->CompareIDs(column, x, y)) < 0;
        });
        QStringList names;
        for (PCItemIDList p : sorted)
            names << ShellGetFriendlyNameFromIdList(folder.get(), p, ptfnInFolder);
        return names;
    };
    EXPECT_EQ(orderBy(0), (QStringList{"Alpha", "zeta", "file1", "File2", "file10"}));
    EXPECT_EQ(orderBy(1), (QStringList{"Alpha", "zeta", "File2", "file1", "file10"}));
    // Modified: oldest first, folders still first.
    EXPECT_EQ(orderBy(3), (QStringList{"zeta", "Alpha", "file10", "File2", "file1"}));
    // The same item compares equal; "a" and "A" never do.
    EXPECT_EQ(ShortFromResult(folder->CompareIDs(0, items.GetPIDL(0), items.GetPIDL(0))), 0);
}

TEST_F(ShellNamespace, SetNameOfRenamesWithoutReplacing)
{
    makeFile(work() + "/old.txt", "old");
    makeFile(work() + "/taken.txt", "keep me");
    TIdListPtr list(parse(work() + "/old.txt"));
    PCItemIDList last = nullptr;
    TComPtr<IShellFolder> parent = parentFolder(list.get(), last);

    PItemIDList renamed = nullptr;
    EXPECT_EQ(
        parent->SetNameOf(nullptr, last, QStringLiteral("taken.txt"), SHGDN_INFOLDER, &renamed),
        HResultFromWin32(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(renamed, nullptr);
    EXPECT_TRUE(QFile::exists(FileNameToString(work() + "/old.txt")));
    EXPECT_EQ(parent->SetNameOf(nullptr, last, QStringLiteral("a/b"), SHGDN_INFOLDER, &renamed),
              HResultFromWin32(ERROR_INVALID_NAME));

    ASSERT_EQ(parent->SetNameOf(nullptr, last, QStringLiteral("new \u00e9.txt"), SHGDN_INFOLDER,
                                &renamed),
              S_OK);
    TIdListPtr newItem(renamed);
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(parent.get(), newItem.get(), ptfnInFolder),
              QStringLiteral("new \u00e9.txt"));
    EXPECT_FALSE(QFile::exists(FileNameToString(work() + "/old.txt")));
    QFile renamedFile(FileNameToString(work() + "/new \xc3\xa9.txt"));
    ASSERT_TRUE(renamedFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(renamedFile.readAll(), "old");
}

TEST_F(ShellNamespace, DesktopHoldsHomeComputerAndDesktopEntries)
{
    makeFile(home() + "/Desktop/note.txt");
    TComPtr<IShellFolder> root = desktop();
    const QList<QByteArray> names = listNames(root.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    ASSERT_GE(names.size(), 3);
    EXPECT_EQ(names[0], home());
    EXPECT_EQ(names[1], "computer:///");
    EXPECT_TRUE(names.contains("note.txt"));
    EXPECT_FALSE(names.contains("trash:///")); // no trash folder yet

    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, empty.get(), ptfnNormal),
              QStringLiteral("Desktop"));
    EXPECT_EQ(pathOf(empty.get()), home() + "/Desktop");
    EXPECT_EQ(pathOf(nullptr), home() + "/Desktop");

    // A trash folder makes the Trash appear, after Computer.
    makeDir(dataHome() + "/Trash");
    makeDir(dataHome() + "/Trash/files");
    EXPECT_EQ(listNames(root.get(), SHCONTF_FOLDERS)[2], "trash:///");
    TIdListPtr trash;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlBitBucket, trash.put()), S_OK);
    EXPECT_EQ(ShellGetFriendlyNameFromIdList(nullptr, trash.get(), ptfnNormal),
              QStringLiteral("Trash"));
    EXPECT_EQ(ShellGetPathFromIdList(trash.get()), QString());
}

TEST_F(ShellNamespace, TrashEntriesKeepTheNamesTheirRestoreInformationUses)
{
    // GIVEN a trashed file and its info/<name>.trashinfo
    makeDir(dataHome() + "/Trash");
    makeDir(dataHome() + "/Trash/files");
    makeDir(dataHome() + "/Trash/info");
    makeDir(dataHome() + "/Trash/files/folder");
    makeFile(dataHome() + "/Trash/files/report.csv");
    makeFile(dataHome() + "/Trash/files/folder/inner.txt");
    makeFile(dataHome() + "/Trash/info/report.csv.trashinfo",
             "[Trash Info]\nPath=/somewhere/report.csv\n");
    TIdListPtr trash;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlBitBucket, trash.put()), S_OK);
    TComPtr<IShellFolder> folder = bind(trash.get());
    PItemIDList item = nullptr;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, QStringLiteral("report.csv"), nullptr,
                                       &item, nullptr),
              S_OK);
    TIdListPtr ownedItem(item);

    // THEN the trash's entries offer no rename and refuse one
    EXPECT_EQ(attributesOf(folder.get(), item, SFGAO_CANRENAME | SFGAO_CANDELETE), SFGAO_CANDELETE);
    PItemIDList renamed = nullptr;
    EXPECT_EQ(
        folder->SetNameOf(nullptr, item, QStringLiteral("other.csv"), SHGDN_INFOLDER, &renamed),
        HResultFromWin32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(renamed, nullptr);
    EXPECT_TRUE(QFile::exists(FileNameToString(dataHome() + "/Trash/files/report.csv")));

    // Inside a trashed folder names are free again.
    PItemIDList folderItem = nullptr;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, QStringLiteral("folder"), nullptr,
                                       &folderItem, nullptr),
              S_OK);
    TIdListPtr ownedFolderItem(folderItem);
    TComPtr<IShellFolder> inside;
    ASSERT_EQ(folder->BindToObject(folderItem, nullptr, IID_IShellFolder, inside.putVoid()), S_OK);
    PItemIDList inner = nullptr;
    ASSERT_EQ(inside->ParseDisplayName(nullptr, nullptr, QStringLiteral("inner.txt"), nullptr,
                                       &inner, nullptr),
              S_OK);
    TIdListPtr ownedInner(inner);
    EXPECT_EQ(attributesOf(inside.get(), inner, SFGAO_CANRENAME), SFGAO_CANRENAME);
}

TEST_F(ShellNamespace, SpecialFoldersMapToTheUserDirectories)
{
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlPersonal)),
              home() + "/Documents");
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlDesktopDirectory)),
              home() + "/Desktop");
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlAppData)),
              home().chopped(5) + "/config");
    // Send-to is made when first asked for.
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlSendTo)),
              dataHome() + "/veldmark/SendTo");
    EXPECT_TRUE(QDir(FileNameToString(dataHome() + "/veldmark/SendTo")).exists());
    // No Linux meaning, or not there: refused.
    PItemIDList list = nullptr;
    EXPECT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlPrinters, &list), E_INVALIDARG);
    EXPECT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlNone, &list), E_INVALIDARG);
    EXPECT_TRUE(Failed(ShellGetSpecialFolderIdList(nullptr, csidlTemplates, &list)));
    EXPECT_EQ(list, nullptr);

    TIdListPtr empty(CopyIdList(nullptr, nullptr));
    EXPECT_EQ(ShellFindCSIDLFromIdList(empty.get()), csidlDesktop);
    TIdListPtr documents(parse(home() + "/Documents"));
    EXPECT_EQ(ShellFindCSIDLFromIdList(documents.get()), csidlPersonal);
    TIdListPtr drives;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.put()), S_OK);
    EXPECT_EQ(ShellFindCSIDLFromIdList(drives.get()), csidlDrives);
    TIdListPtr ordinary(parse(work()));
    EXPECT_EQ(ShellFindCSIDLFromIdList(ordinary.get()), csidlNone);
}

TEST_F(ShellNamespace, ComputerListsVolumesWithDetails)
{
    TIdListPtr drives;
    ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.put()), S_OK);
    TComPtr<IShellFolder> computer = bind(drives.get());
    const QList<QByteArray> volumes = listNames(computer.get(), SHCONTF_FOLDERS);
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes.first(), "/");
    EXPECT_TRUE(listNames(computer.get(), SHCONTF_NONFOLDERS).isEmpty());

    TComPtr<IShellDetails> details;
    ASSERT_EQ(computer->CreateViewObject(nullptr, IID_IShellDetails, details.putVoid()), S_OK);
    QStringList captions;
    TShellDetails column;
    for (std::uint32_t i = 0; Succeeded(details->GetDetailsOf(nullptr, i, &column)); ++i) {
        captions << StrretToString(nullptr, column.str);
        StrretFree(column.str);
    }
    EXPECT_EQ(captions, (QStringList{"Name", "Type", "Total Size", "Free Space"}));

    TIdListPtr root(parse("/"));
    PCItemIDList volume = IdListNext(root.get());
    ASSERT_EQ(details->GetDetailsOf(volume, 2, &column), S_OK);
    EXPECT_FALSE(StrretToString(nullptr, column.str).isEmpty());
    StrretFree(column.str);
    EXPECT_TRUE(attributesOf(computer.get(), volume, SFGAO_FOLDER | SFGAO_FILESYSTEM) ==
                (SFGAO_FOLDER | SFGAO_FILESYSTEM));

    // Validation asks the mount table: a network volume that is no longer
    // mounted is gone, without a stat that would wait for its server.
    std::uint32_t validate = SFGAO_VALIDATE;
    EXPECT_EQ(computer->GetAttributesOf(1, &volume, &validate), S_OK);
    TMountEntry unmounted;
    unmounted.mountPoint = "/nonexistent/server-share";
    unmounted.fsType = "nfs4";
    unmounted.driveType = TDriveType::Remote;
    TIdListPtr gone(ItemData::MakeVolume(unmounted));
    PCItemIDList goneItem = gone.get();
    validate = SFGAO_VALIDATE;
    EXPECT_EQ(computer->GetAttributesOf(1, &goneItem, &validate),
              HResultFromWin32(ERROR_PATH_NOT_FOUND));
    std::uint32_t writable = SFGAO_READONLY | SFGAO_DROPTARGET;
    EXPECT_EQ(computer->GetAttributesOf(1, &goneItem, &writable), S_OK);
    EXPECT_EQ(writable, SFGAO_DROPTARGET) << "taken from the mount options, not access()";

    // File-system folders have no details interface: lists use their own columns.
    TComPtr<IShellFolder> folder = bind(root.get());
    TComPtr<IShellDetails> none;
    EXPECT_EQ(folder->CreateViewObject(nullptr, IID_IShellDetails, none.putVoid()), E_NOINTERFACE);
}

TEST_F(ShellNamespace, IconsAndFileInformation)
{
    makeDir(work() + "/folder");
    makeFile(work() + "/a.txt");
    makeFile(work() + "/b.txt");
    makeFile(work() + "/c.png");
    TShellImageList* small = ShellGetSystemImageList(ptsizSmall);
    TShellImageList* large = ShellGetSystemImageList(ptsizLarge);
    ASSERT_TRUE(small && large);
    EXPECT_EQ(small->IconSize(), QSize(16, 16));
    EXPECT_EQ(large->IconSize(), QSize(32, 32));
    EXPECT_GE(small->OverlayImage(1), 0);
    EXPECT_GE(small->OverlayImage(2), 0);
    EXPECT_NE(small->OverlayImage(1), small->OverlayImage(2));
    EXPECT_EQ(ShellGetSystemImageList(ptsizSmall), small); // one shared list

    TIdListPtr folder(parse(work() + "/folder"));
    const int closed = ShellGetIconIndex(folder.get(), SHGFI_SMALLICON);
    const int open = ShellGetIconIndex(folder.get(), SHGFI_SMALLICON | SHGFI_OPENICON);
    const int text =
        ShellGetIconIndexFromPath(FileNameToString(work() + "/a.txt"), SHGFI_SMALLICON);
    EXPECT_NE(closed, text);
    EXPECT_NE(closed, open);
    EXPECT_EQ(ShellGetIconIndexFromPath(FileNameToString(work() + "/b.txt"), 0), text);
    EXPECT_EQ(ShellGetIconIndexFromExt(QStringLiteral(".txt"), 0), text);
    EXPECT_EQ(ShellGetIconIndexFromPath(FileNameToString(work() + "/missing"), 0), 0);
    EXPECT_EQ(small->Count(), large->Count());
    // The style supplies pictures when no icon theme is installed.
    EXPECT_FALSE(small->Pixmap(closed).isNull());
    EXPECT_FALSE(large->Pixmap(text).isNull());

    TSHFileInfo info;
    ASSERT_NE(SHGetFileInfo(FileNameToString(work() + "/c.png"), 0, info,
                            SHGFI_DISPLAYNAME | SHGFI_TYPENAME),
              0u);
    EXPECT_EQ(info.szDisplayName, QStringLiteral("c.png"));
    EXPECT_FALSE(info.szTypeName.isEmpty());
    EXPECT_NE(info.szTypeName, QStringLiteral("PNG File")); // the MIME database knows it
    TSHFileInfo folderInfo;
    ASSERT_NE(SHGetFileInfo(folder.get(), 0, folderInfo,
                            SHGFI_PIDL | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON),
              0u);
    EXPECT_EQ(folderInfo.iIcon, closed);
    TSHFileInfo unknown;
    SHGetFileInfo(QStringLiteral("x.zzqq"), 0, unknown, SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME);
    EXPECT_EQ(unknown.szTypeName, QStringLiteral("ZZQQ File"));
}

TEST_F(ShellNamespace, DesktopFollowsUserDirsAndEnumeratorsBatchAndRewind)
{
    // GIVEN a desktop directory moved by user-dirs.dirs
    makeDir(home() + "/Schreibtisch");
    makeFile(home() + "/Schreibtisch/here.txt");
    QFile dirs(FileNameToString(home().chopped(5) + "/config/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    dirs.close();
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlDesktop)),
              home() + "/Schreibtisch");
    TComPtr<IShellFolder> root = desktop();
    EXPECT_TRUE(listNames(root.get(), SHCONTF_NONFOLDERS).contains("here.txt"));

    // WHEN a folder is read several items at a time, skipped and rewound
    for (const char* name : {"a", "b", "c", "d", "e"})
        makeFile(work() + "/" + name);
    TIdListPtr list(parse(work()));
    TComPtr<IShellFolder> folder = bind(list.get());
    TComPtr<IEnumIDList> items;
    ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, items.put()), S_OK);
    PItemIDList batch[3] = {};
    std::uint32_t fetched = 0;
    EXPECT_EQ(items->Next(3, batch, &fetched), S_OK);
    EXPECT_EQ(fetched, 3u);
    for (PItemIDList p : batch)
        ShellMemFree(p);
    EXPECT_EQ(items->Skip(1), S_OK);
    EXPECT_EQ(items->Next(3, batch, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    ShellMemFree(batch[0]);
    EXPECT_EQ(items->Next(1, batch, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    // THEN a rewind starts over
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Next(3, batch, &fetched), S_OK);
    for (PItemIDList p : batch)
        ShellMemFree(p);

    // Parsing answers the attributes asked for and how much it read.
    std::uint32_t eaten = 0;
    std::uint32_t attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    PItemIDList parsed = nullptr;
    const QString path = FileNameToString(work() + "/a");
    ASSERT_EQ(root->ParseDisplayName(nullptr, nullptr, path, &eaten, &parsed, &attributes), S_OK);
    TIdListPtr owned(parsed);
    EXPECT_EQ(eaten, static_cast<std::uint32_t>(path.size()));
    EXPECT_EQ(attributes, SFGAO_FILESYSTEM);
}
