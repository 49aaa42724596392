#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/UPTShellUtils.h"
#include "shell/locator/TPTShellLocator.h"
#include "shell/namespace/ItemData.h"

#include <unistd.h>

namespace
{

using FolderRoute = NamespaceFixture;

ItemData::Kind firstKind(PCItemIDList list)
{
    ItemData::View view;
    EXPECT_TRUE(ItemData::Read(list, view));
    return view.kind;
}

// The list of a folder below home reached the way a tree reaches it: the
// desktop's Home item, then names parsed in the home folder.
PItemIDList throughHome(IShellFolder* desktop, const QString& relative)
{
    PItemIDList homeItem = ItemData::MakeSpecial(ItemData::KindHome);
    TComPtr<IShellFolder> home;
    EXPECT_EQ(desktop->BindToObject(homeItem, nullptr, IID_IShellFolder, home.putVoid()), S_OK);
    PItemIDList below = nullptr;
    EXPECT_EQ(home->ParseDisplayName(nullptr, nullptr, relative, nullptr, &below, nullptr), S_OK);
    PItemIDList result = ConcatIdLists(nullptr, homeItem, below);
    ShellMemFree(below);
    ShellMemFree(homeItem);
    return result;
}

} // namespace

TEST_F(FolderRoute, APathBelowHomeAndTheHomeRouteAreOneList)
{
    makeDir(home() + "/Documents/reports");
    TIdListPtr parsed(parse(home() + "/Documents"));
    TIdListPtr routed(throughHome(desktop().get(), QStringLiteral("Documents")));
    ASSERT_TRUE(parsed && routed);

    EXPECT_EQ(firstKind(parsed.get()), ItemData::KindHome);
    EXPECT_EQ(IdListToBytes(parsed.get()), IdListToBytes(routed.get()));
    EXPECT_EQ(CompareAbsIdLists(parsed.get(), routed.get()), 0);
    EXPECT_EQ(ShellFindCSIDLFromIdList(parsed.get()), csidlPersonal);
    EXPECT_EQ(ShellFindCSIDLFromIdList(routed.get()), csidlPersonal);

    TPTShellLocator byPath;
    byPath.SetPathName(FileNameToString(home() + "/Documents"));
    TPTShellLocator byRoute;
    byRoute.SetIdList(routed.get());
    EXPECT_TRUE(byPath.IsEqual(byRoute));

    // Deeper folders, "~" and dot segments land on the same route too.
    TIdListPtr deep(parse(home() + "/Documents/../Documents/reports"));
    TIdListPtr tilde(parse("~/Documents/reports"));
    TIdListPtr deepRouted(throughHome(desktop().get(), QStringLiteral("Documents/reports")));
    EXPECT_EQ(CompareAbsIdLists(deep.get(), deepRouted.get()), 0);
    EXPECT_EQ(CompareAbsIdLists(tilde.get(), deepRouted.get()), 0);
    EXPECT_EQ(FileNameFromString(ShellGetPathFromIdList(deep.get())),
              home() + "/Documents/reports");
}

TEST_F(FolderRoute, HomeItselfIsTheHomeItemAndOtherPathsGoThroughComputer)
{
    TIdListPtr homeList(parse(home()));
    TIdListPtr homeItem(ItemData::MakeSpecial(ItemData::KindHome));
    EXPECT_EQ(IdListToBytes(homeList.get()), IdListToBytes(homeItem.get()));

    // A sibling whose name only starts like the home folder is not below it.
    makeDir(home() + "-other");
    TIdListPtr sibling(parse(home() + "-other"));
    EXPECT_EQ(firstKind(sibling.get()), ItemData::KindComputer);
    TIdListPtr elsewhere(parse(work()));
    EXPECT_EQ(firstKind(elsewhere.get()), ItemData::KindComputer);
    ::rmdir((home() + "-other").constData());
}

TEST_F(FolderRoute, WithoutADesktopDirectoryTheDesktopIsTheHome)
{
    makeFile(home() + "/Desktop/on desktop.txt");
    EXPECT_EQ(FileNameFromString(ShellGetPathFromIdList(nullptr)), home() + "/Desktop");

    ASSERT_EQ(::unlink((home() + "/Desktop/on desktop.txt").constData()), 0);
    ASSERT_EQ(::rmdir((home() + "/Desktop").constData()), 0);
    makeFile(home() + "/in home.txt");
    EXPECT_EQ(FileNameFromString(ShellGetPathFromIdList(nullptr)), home());
    EXPECT_EQ(FileNameFromString(ShellGetSpecialFolderPath(nullptr, csidlDesktopDirectory)),
              home());
    // The desktop lists the folder it stands for, so a file saved "on the
    // desktop" is seen there.
    EXPECT_TRUE(listNames(desktop().get(), SHCONTF_NONFOLDERS).contains("in home.txt"));
}
