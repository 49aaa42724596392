#include "NamespaceFixture.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "platform/MountTable.h"
#include "shell/UPTShellControls.h"
#include "shell/UPTShellUtils.h"
#include "shell/fileops/TFileSystemDropTarget.h"
#include "shell/records/ItemTexts.h"
#include "shell/utils/DriveInfoCache.h"

#include <QLocale>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A stand-in for the file list: shows one folder and hands out its parts.
class ListOwner : public IPTShellListOwner
{
  public:
    explicit ListOwner(PItemIDList folderIdList) { show(folderIdList); }

    // Adopts the list; the folder's details interface is used when asked for.
    void show(PItemIDList folderIdList)
    {
        m_idList.reset(folderIdList);
        m_folder.reset();
        m_details.reset();
        EXPECT_EQ(ShellGetFolderFromIdList(m_idList.get(), m_folder.put()), S_OK);
        m_folder->CreateViewObject(nullptr, IID_IShellDetails, m_details.putVoid());
    }
    // The folder's relative list for a name, from the list's allocator.
    PItemIDList item(const QByteArray& name)
    {
        PItemIDList relative = nullptr;
        EXPECT_EQ(m_folder->ParseDisplayName(nullptr, nullptr, FileNameToString(name), nullptr,
                                             &relative, nullptr),
                  S_OK)
            << name.constData();
        return relative;
    }

    IShellFolder* FolderShellFolder() const override { return m_folder.get(); }
    PCItemIDList FolderIdList() const override { return m_idList.get(); }
    IMalloc* ShellAllocator() const override { return ShellIMalloc(); }
    IShellDetails* GetCurrentFolderIShellDetails() override { return m_details.get(); }

  private:
    TIdListPtr m_idList;
    TComPtr<IShellFolder> m_folder;
    TComPtr<IShellDetails> m_details;
};

class TreeOwner : public IPTShellTreeOwner
{
};
class ComboOwner : public IPTShellComboOwner
{
};

class LocaleScope
{
  public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_saved); }

  private:
    QLocale m_saved;
};

QByteArray bytesOf(PCItemIDList list)
{
    return IdListToBytes(list);
}

} // namespace

using ShellItemData = NamespaceFixture;

TEST_F(ShellItemData, ListRecordSizeTypeAndModifiedTexts)
{
    // GIVEN files of 0, 1025 and 1 500 000 bytes and a folder
    makeFile(work() + "/empty.txt");
    makeFile(work() + "/small.txt", QByteArray(1025, 'x'));
    makeFile(work() + "/large.bin", QByteArray(1500000, 'x'));
    makeDir(work() + "/sub");
    ListOwner list(parse(work()));
    auto record = [&](const char* name) {
        auto data = std::make_unique<TPTShListData>(&list);
        data->SetData(list.item(name));
        return data;
    };
    auto empty = record("empty.txt");
    auto small = record("small.txt");
    auto sub = record("sub");

    {
        // WHEN sizes are shown in a locale with "." between thousands
        LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        auto large = record("large.bin");
        // THEN kilobytes are rounded up and grouped
        EXPECT_EQ(empty->GetSize(), "0KB");
        EXPECT_EQ(small->GetSize(), "2KB");
        EXPECT_EQ(large->GetSize(), "1.465KB");
    }
    {
        // The C locale groups too, though Qt leaves the separator out there by default.
        LocaleScope c(QLocale::c());
        EXPECT_EQ(record("large.bin")->GetSize(), "1,465KB");
    }

    // A folder has a modified text but no size; files have their type name.
    EXPECT_EQ(sub->GetSize(), "");
    EXPECT_FALSE(sub->GetModified().isEmpty());
    EXPECT_FALSE(small->GetModified().isEmpty());
    EXPECT_FALSE(small->GetFileType().isEmpty());
    EXPECT_NE(small->GetFileType(), "System Folder");
    EXPECT_FALSE(sub->GetFileType().isEmpty());

    // Without a details interface the columns are size, type, modified.
    EXPECT_EQ(list.GetCurrentFolderIShellDetails(), nullptr);
    EXPECT_EQ(small->GetColText(0), "");
    EXPECT_EQ(small->GetColText(1), "2KB");
    EXPECT_EQ(small->GetColText(2), small->GetFileType());
    EXPECT_EQ(small->GetColText(3), small->GetModified());
    EXPECT_EQ(small->GetColText(4), "");
}

TEST_F(ShellItemData, ModifiedTextIsTheLocalShortDateAndTime)
{
    makeFile(work() + "/dated.txt");
    // 2021-03-04 05:06:00 UTC
    const timespec times[2] = {{1614834360, 0}, {1614834360, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (work() + "/dated.txt").constData(), times, 0), 0);
    LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    ListOwner list(parse(work()));
    TPTShListData data(&list);
    data.SetData(list.item("dated.txt"));

    const QDateTime local = QDateTime::fromSecsSinceEpoch(1614834360).toLocalTime();
    const QStringList parts = data.GetModified().split(u' ');
    ASSERT_GE(parts.size(), 2);
    EXPECT_EQ(parts[0], QLocale().toString(local.date(), QLocale::ShortFormat));
    EXPECT_TRUE(data.GetModified().contains(
        QString::number(local.time().minute()).rightJustified(2, u'0')));
}

TEST_F(ShellItemData, ListRecordKeepsItsTextsUntilFlush)
{
    // GIVEN a record whose texts were shown once
    makeFile(work() + "/grows.txt", QByteArray(100, 'x'));
    makeDir(work() + "/moved");
    ListOwner list(parse(work()));
    TPTShListData data(&list);
    data.SetData(list.item("grows.txt"));
    EXPECT_EQ(data.GetSize(), "1KB");
    EXPECT_EQ(data.GetDisplayName(), "grows.txt");
    const QByteArray before = bytesOf(data.GetAbsoluteIdList());

    // WHEN the file grows and the list moves to another folder
    makeFile(work() + "/grows.txt", QByteArray(5000, 'x'));
    list.show(parse(work() + "/moved"));
    // THEN nothing changes until the record is flushed
    EXPECT_EQ(data.GetSize(), "1KB");
    EXPECT_EQ(bytesOf(data.GetAbsoluteIdList()), before);
    EXPECT_EQ(FileNameFromString(data.GetPathName()), work() + "/grows.txt");

    data.Flush();
    TIdListPtr movedList(parse(work() + "/moved"));
    EXPECT_EQ(bytesOf(data.GetAbsoluteIdList()).left(IdListLen(movedList.get()) - 2),
              bytesOf(movedList.get()).chopped(2));
    EXPECT_EQ(FileNameFromString(data.GetPathName()), work() + "/moved/grows.txt");
    // The texts come from what the item recorded, not from asking the disk again.
    EXPECT_EQ(data.GetSize(), "1KB");

    // A new item flushes too.
    list.show(parse(work()));
    data.SetData(list.item("grows.txt"));
    EXPECT_EQ(data.GetSize(), "5KB");
    EXPECT_EQ(data.GetDisplayName(), "grows.txt");
}

TEST_F(ShellItemData, ListRecordTextsComeFromTheItemWithoutAskingTheDisk)
{
    // GIVEN an item made while the file had 3000 bytes and a known time
    makeFile(work() + "/old.csv", QByteArray(3000, 'x'));
    const timespec times[2] = {{1600000000, 0}, {1600000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (work() + "/old.csv").constData(), times, 0), 0);
    ListOwner list(parse(work()));
    TPTShListData data(&list);
    data.SetData(list.item("old.csv"));
    // WHEN the file is gone before the texts are first asked for
    ASSERT_EQ(::unlink((work() + "/old.csv").constData()), 0);
    // THEN they are what the item recorded
    EXPECT_EQ(data.GetSize(), "3KB");
    EXPECT_EQ(data.GetModified(), ShortDateTimeText(QDateTime::fromSecsSinceEpoch(1600000000)));
    EXPECT_FALSE(data.GetFileType().isEmpty());
}

TEST_F(ShellItemData, ListRecordAttributesNamesAndShortcuts)
{
    makeDir(work() + "/folder");
    makeFile(work() + "/SETUP.DESKTOP");
    makeFile(work() + "/Setup.Desktop");
    makeFile(work() + "/setup.desktop.txt");
    makeFile(work() + "/locked.txt");
    ASSERT_EQ(::chmod((work() + "/locked.txt").constData(), 0444), 0);
    ListOwner list(parse(work()));
    auto record = [&](const char* name) {
        auto data = std::make_unique<TPTShListData>(&list);
        data->SetData(list.item(name));
        return data;
    };

    auto folder = record("folder");
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_TRUE(folder->IsFileSystem());
    EXPECT_TRUE(folder->GetEditable());
    EXPECT_FALSE(folder->GetAttributes() & SFGAO_HASSUBFOLDER);
    EXPECT_EQ(folder->GetFilename(), "folder");

    EXPECT_TRUE(record("SETUP.DESKTOP")->IsLnkShortcut());
    EXPECT_TRUE(record("Setup.Desktop")->IsLnkShortcut());
    EXPECT_FALSE(record("setup.desktop.txt")->IsLnkShortcut());
    EXPECT_FALSE(folder->IsLnkShortcut());

    auto locked = record("locked.txt");
    EXPECT_FALSE(locked->IsFolder());
    EXPECT_TRUE(locked->GetAttributes() & SFGAO_READONLY);
    EXPECT_TRUE(locked->GetAttributes() & SFGAO_FILESYSTEM);

    // An item that is gone is no longer valid and claims no attributes.
    EXPECT_TRUE(locked->IsValid());
    ASSERT_EQ(::unlink((work() + "/locked.txt").constData()), 0);
    EXPECT_FALSE(locked->IsValid());
}

TEST_F(ShellItemData, ListRecordTextsOutsideTheFileSystemAndOnVolumeRoots)
{
    // The Computer folder on the desktop is no file-system object.
    ListOwner desktopList(nullptr);
    TPTShListData computer(&desktopList);
    computer.SetData(desktopList.item("computer:///"));
    EXPECT_FALSE(computer.IsFileSystem());
    EXPECT_EQ(computer.GetPathName(), "");
    EXPECT_EQ(computer.GetFileType(), "System Folder");
    EXPECT_EQ(computer.GetSize(), "");
    EXPECT_EQ(computer.GetModified(), "");

    // A volume root has neither size nor modified text.
    TIdListPtr rootList(parse("/"));
    TPTIdListArray levels(rootList.get());
    ListOwner computerList(CopyIdList(nullptr, levels.GoUp(1)));
    TPTShListData root(&computerList);
    root.SetData(CopyIdList(nullptr, IdListLastItem(rootList.get())));
    EXPECT_EQ(root.GetPathName(), "/");
    EXPECT_EQ(root.GetSize(), "");
    EXPECT_EQ(root.GetModified(), "");
    EXPECT_FALSE(root.GetFileType().isEmpty());
    // Computer answers columns through its details interface.
    ASSERT_NE(computerList.GetCurrentFolderIShellDetails(), nullptr);
    EXPECT_EQ(root.GetColText(0), "");
    EXPECT_EQ(root.GetColText(1), root.GetFileType());
    EXPECT_EQ(root.GetColText(40), "");
}

TEST_F(ShellItemData, TreeRecordsBuildListsFoldersAndPaths)
{
    makeDir(work() + "/sub");
    makeDir(work() + "/sub/inner");
    TreeOwner tree;
    TIdListPtr workList(parse(work()));
    TPTShTreeData root(&tree);
    root.SetData(nullptr, ShellIMalloc(), workList.get());
    ListOwner list(parse(work()));
    TIdListPtr subItem(list.item("sub"));
    TPTShTreeData child(&tree);
    child.SetData(&root, ShellIMalloc(), subItem.get());

    TIdListPtr subList(parse(work() + "/sub"));
    EXPECT_EQ(bytesOf(child.GetAbsPidl()), bytesOf(subList.get()));
    EXPECT_EQ(FileNameFromString(child.GetPathName()), work() + "/sub");
    EXPECT_EQ(FileNameFromString(root.GetPathName()), work());
    EXPECT_FALSE(root.GetEditable());
    EXPECT_TRUE(child.GetEditable());
    EXPECT_FALSE(child.IsRootDir());
    EXPECT_EQ(root.GetParentIShf().get(), nullptr);

    // The folder is bound once and kept until Flush; a flushed root binds again.
    TComPtr<IShellFolder> folder = child.GetThisIShf();
    ASSERT_TRUE(folder);
    EXPECT_EQ(child.GetThisIShf().get(), folder.get());
    EXPECT_EQ(listNames(folder.get(), SHCONTF_FOLDERS), QList<QByteArray>{"inner"});
    child.Flush();
    root.Flush();
    EXPECT_NE(child.GetThisIShf().get(), nullptr);
    EXPECT_EQ(FileNameFromString(child.GetPathName()), work() + "/sub");

    // After a rename the record takes the new item.
    ASSERT_EQ(::rename((work() + "/sub").constData(), (work() + "/renamed").constData()), 0);
    TIdListPtr renamed(list.item("renamed"));
    child.SetRelPidl(renamed.get());
    EXPECT_EQ(FileNameFromString(child.GetPathName()), work() + "/renamed");
    // Its own list passed back in is safe.
    child.SetRelPidl(child.RelPidl());
    EXPECT_EQ(FileNameFromString(child.GetPathName()), work() + "/renamed");
}

TEST_F(ShellItemData, TreeRecordRootsDesktopAndUninitialised)
{
    TreeOwner tree;
    TPTShTreeData blank(&tree);
    try {
        blank.GetPathName();
        FAIL() << "no exception";
    } catch (const EPlatformError& e) {
        EXPECT_EQ(e.message(), "TPTShTreeData not initialised");
    }

    // The desktop root: no list, the desktop folder, the desktop directory's path.
    TPTShTreeData desktop(&tree);
    desktop.SetData(nullptr, ShellIMalloc(), nullptr);
    EXPECT_TRUE(IdListIsEmpty(desktop.GetAbsPidl()));
    EXPECT_TRUE(desktop.GetThisIShf());
    EXPECT_EQ(FileNameFromString(desktop.GetPathName()), home() + "/Desktop");
    EXPECT_FALSE(desktop.GetEditable());

    // No allocator given means the shell allocator (the fixture checks that
    // nothing leaks).
    TIdListPtr docs(parse(home() + "/Documents"));
    TPTShTreeData shellAllocated(&tree);
    shellAllocated.SetData(nullptr, nullptr, docs.get());
    EXPECT_EQ(shellAllocated.Allocator(), ShellIMalloc());
    EXPECT_EQ(FileNameFromString(shellAllocated.GetPathName()), home() + "/Documents");

    // A volume root is a root directory; a folder below it is not.
    TIdListPtr rootList(parse("/"));
    TPTShTreeData volume(&tree);
    volume.SetData(nullptr, ShellIMalloc(), rootList.get());
    EXPECT_TRUE(volume.IsRootDir());
    TPTShTreeData below(&tree);
    TIdListPtr workList(parse(work()));
    below.SetData(nullptr, ShellIMalloc(), workList.get());
    EXPECT_FALSE(below.IsRootDir());
}

TEST_F(ShellItemData, TreeRecordDropTargetsAreThoseOfTheFolders)
{
    makeDir(work() + "/target");
    makeFile(work() + "/file.txt");
    TreeOwner tree;
    TIdListPtr workList(parse(work()));
    TPTShTreeData root(&tree);
    root.SetData(nullptr, ShellIMalloc(), workList.get());
    ListOwner list(parse(work()));
    auto childOf = [&](const char* name) {
        auto data = std::make_unique<TPTShTreeData>(&tree);
        TIdListPtr item(list.item(name));
        data->SetData(&root, ShellIMalloc(), item.get());
        return data;
    };
    TPTShTreeData desktop(&tree);
    desktop.SetData(nullptr, ShellIMalloc(), nullptr);
    const auto dropFolder = [](TPTShTreeData& data) {
        TComPtr<IDropTarget> target;
        EXPECT_EQ(data.GetIDropTarget(nullptr, target.put()), S_OK);
        const auto* folder = dynamic_cast<TFileSystemDropTarget*>(target.get());
        return folder ? folder->FolderPath() : QByteArray("(none)");
    };

    // A child node through its parent's folder, a root through the folder
    // above it, the desktop through its directory.
    EXPECT_EQ(dropFolder(*childOf("target")), work() + "/target");
    EXPECT_EQ(dropFolder(root), work());
    EXPECT_EQ(dropFolder(desktop), home() + "/Desktop");

    // A file takes no drops.
    IDropTarget* none = reinterpret_cast<IDropTarget*>(&tree);
    EXPECT_EQ(childOf("file.txt")->GetIDropTarget(nullptr, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(ShellItemData, ComboRecordBindsItsFolder)
{
    makeDir(work() + "/sub");
    makeFile(work() + "/file.txt");
    ComboOwner combo;
    ListOwner list(parse(work()));
    TIdListPtr subItem(list.item("sub"));
    TIdListPtr fileItem(list.item("file.txt"));

    TPTShComboData sub(&combo);
    sub.SetData(list.FolderShellFolder(), list.FolderIdList(), subItem.get());
    TIdListPtr subList(parse(work() + "/sub"));
    EXPECT_EQ(bytesOf(sub.AbsIdList()), bytesOf(subList.get()));
    TComPtr<IShellFolder> folder = sub.GetThisIShf();
    ASSERT_TRUE(folder);
    EXPECT_EQ(sub.GetThisIShf().get(), folder.get());

    // The desktop entry: no lists at all.
    TPTShComboData desktop(&combo);
    desktop.SetData(nullptr, nullptr, nullptr);
    EXPECT_TRUE(desktop.GetThisIShf());

    // A file cannot be bound as a folder: the combo raises.
    TPTShComboData file(&combo);
    file.SetData(list.FolderShellFolder(), list.FolderIdList(), fileItem.get());
    EXPECT_THROW(file.GetThisIShf(), EPlatformError);

    // Reset with its own lists.
    sub.SetData(sub.ParentFolder(), sub.ParentIdList(), sub.RelIdList());
    EXPECT_EQ(bytesOf(sub.AbsIdList()), bytesOf(subList.get()));
}

using DriveInfoCache = NamespaceFixture;

TEST_F(DriveInfoCache, FlushMakesTheVolumesBeReadAgainUnlessLocked)
{
    bool reread = true;
    CurrentMountTable();
    CurrentMountTable(&reread);
    ASSERT_FALSE(reread);

    FlushDriveInfoCache();
    CurrentMountTable(&reread);
    EXPECT_TRUE(reread);

    // Two locks need two unlocks.
    LockFlushDriveInfoCache();
    LockFlushDriveInfoCache();
    FlushDriveInfoCache();
    CurrentMountTable(&reread);
    EXPECT_FALSE(reread);
    UnlockFlushDriveInfoCache();
    FlushDriveInfoCache();
    CurrentMountTable(&reread);
    EXPECT_FALSE(reread);
    UnlockFlushDriveInfoCache();
    FlushDriveInfoCache();
    CurrentMountTable(&reread);
    EXPECT_TRUE(reread);
}
