#include "NamespaceFixture.h"

#include "platform/FileNameCodec.h"
#include "shell/PTMessageBox.h"
#include "shell/UPTShellUtils.h"
#include "shell/dragdrop/TDataObject_shlv.h"
#include "shell/menus/ItemProperties.h"
#include "shell/menus/TShellContextMenu.h"
#include "shell/menus/TShellMenu.h"
#include "shell/menus/UrlOpener.h"
#include "shell/namespace/ItemData.h"
#include "shell/shell95/IContextMenu.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

class ContextMenus : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        m_previousBox = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& request) {
            boxes << request.text;
            return answer;
        });
        m_previousOpener = SetUrlOpener([this](const QUrl& url) {
            opened << url;
            return openerWorks;
        });
        m_previousProperties =
            SetItemPropertiesHandler([this](const TItemProperties& p) { properties << p; });
    }
    void TearDown() override
    {
        SetPTMessageBoxHandler(m_previousBox);
        SetUrlOpener(m_previousOpener);
        SetItemPropertiesHandler(m_previousProperties);
        NamespaceFixture::TearDown();
    }

    // The context menu of some entries of one folder (none: its background).
    TComPtr<IContextMenu> menuOf(const QByteArray& folderPath, const QList<QByteArray>& names)
    {
        TIdListPtr folderList(parse(folderPath));
        TComPtr<IShellFolder> folder = bind(folderList.get());
        TComPtr<IContextMenu> menu;
        if (names.isEmpty()) {
            EXPECT_EQ(folder->CreateViewObject(nullptr, IID_IContextMenu, menu.putVoid()), S_OK);
            return menu;
        }
        std::vector<TIdListPtr> items;
        std::vector<PCItemIDList> lists;
        for (const QByteArray& name : names) {
            PItemIDList item = nullptr;
            EXPECT_EQ(folder->ParseDisplayName(nullptr, nullptr, FileNameToString(name), nullptr,
                                               &item, nullptr),
                      S_OK);
            items.emplace_back(item);
            lists.push_back(item);
        }
        EXPECT_EQ(folder->GetUIObjectOf(nullptr, std::uint32_t(lists.size()), lists.data(),
                                        IID_IContextMenu, nullptr, menu.putVoid()),
                  S_OK);
        return menu;
    }

    static HRESULT invoke(IContextMenu* menu, const QString& verb, const QString& parameters = {})
    {
        TCMInvokeCommandInfo info;
        info.verb = verb;
        info.parameters = parameters;
        return menu->InvokeCommand(info);
    }

    QStringList boxes;
    TPTMsgButton answer = ptmbYes;
    QList<QUrl> opened;
    bool openerWorks = true;
    QList<TItemProperties> properties;

  private:
    TPTMessageBoxHandler m_previousBox;
    TUrlOpener m_previousOpener;
    TItemPropertiesPresenter m_previousProperties;
};

std::vector<std::uint32_t> idsOf(IContextMenu* menu, std::uint32_t flags,
                                 std::uint32_t last = 0x7FFF)
{
    TShellMenu shellMenu;
    EXPECT_TRUE(Succeeded(menu->QueryContextMenu(&shellMenu, 0, 50, last, flags)));
    return shellMenu.CommandIds();
}

bool has(const std::vector<std::uint32_t>& ids, std::uint32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

TEST_F(ContextMenus, AFileMenuHoldsTheCommandsAtTheirOffsets)
{
    makeFile(work() + "/a.txt", "hello");
    TComPtr<IContextMenu> menu = menuOf(work(), {"a.txt"});
    ASSERT_TRUE(menu);

    TShellMenu shellMenu;
    shellMenu.Items().push_back(TShellMenuItem::Command(7, QStringLiteral("Caller's own")));
    const HRESULT used =
        menu->QueryContextMenu(&shellMenu, 0, 50, 0x7FFF, CMF_EXPLORE | CMF_CANRENAME);
    EXPECT_EQ(used, HRESULT(TShellContextMenu::cmdCopy + 1));
    // Inserted before what the menu held; Open is the default for a file.
    EXPECT_EQ(shellMenu.Items().back().id, 7u);
    EXPECT_EQ(shellMenu.DefaultId(), 50u);
    const std::vector<std::uint32_t> ids = shellMenu.CommandIds();
    for (std::uint32_t offset : {0, 16, 17, 18, 19, 24, 25})
        EXPECT_TRUE(has(ids, 50 + offset)) << offset;
    EXPECT_FALSE(has(ids, 51)); // no Explore for a file
    EXPECT_FALSE(has(ids, 76)); // no Paste into a file

    // The Send To placeholder: a submenu with one greyed entry and no command.
    const auto sendTo = std::find_if(
        shellMenu.Items().begin(), shellMenu.Items().end(),
        [](const TShellMenuItem& i) { return i.kind == TShellMenuItem::Kind::Submenu; });
    ASSERT_NE(sendTo, shellMenu.Items().end());
    ASSERT_EQ(sendTo->items.size(), 1u);
    EXPECT_FALSE(sendTo->items[0].enabled);
    EXPECT_EQ(sendTo->items[0].id, 0u);

    // Rename only when the caller can rename; identifiers stay within range.
    EXPECT_FALSE(has(idsOf(menu.get(), CMF_EXPLORE), 68));
    for (std::uint32_t id : idsOf(menu.get(), CMF_CANRENAME, 68))
        EXPECT_LE(id, 68u);
    EXPECT_EQ(idsOf(menu.get(), CMF_DEFAULTONLY), std::vector<std::uint32_t>{50});

    QString text;
    EXPECT_EQ(menu->GetCommandString(18, GCS_VERB, nullptr, &text), S_OK);
    EXPECT_EQ(text, QStringLiteral("rename"));
    EXPECT_EQ(menu->GetCommandString(17, GCS_HELPTEXT, nullptr, &text), S_OK);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(menu->GetCommandString(18, GCS_VALIDATE, nullptr, nullptr), S_OK);
    EXPECT_EQ(menu->GetCommandString(2, GCS_VALIDATE, nullptr, nullptr), S_FALSE);
}

TEST_F(ContextMenus, AFolderExploresByDefaultAndTakesPastes)
{
    makeDir(work() + "/folder");
    TComPtr<IContextMenu> menu = menuOf(work(), {"folder"});
    TShellMenu shellMenu;
    ASSERT_TRUE(Succeeded(menu->QueryContextMenu(&shellMenu, 0, 50, 0x7FFF, CMF_EXPLORE)));
    EXPECT_EQ(shellMenu.DefaultId(), 51u);
    EXPECT_TRUE(shellMenu.FindCommand(76));
    TShellMenu plain;
    ASSERT_TRUE(Succeeded(menu->QueryContextMenu(&plain, 0, 50, 0x7FFF, CMF_NORMAL)));
    EXPECT_EQ(plain.DefaultId(), 50u);
    EXPECT_FALSE(plain.FindCommand(51));
}

TEST_F(ContextMenus, CopyCutAndPasteGoThroughTheClipboard)
{
    makeFile(work() + "/a.txt", "a");
    makeFile(work() + "/b.txt", "b");
    makeDir(work() + "/dest");
    ASSERT_EQ(invoke(menuOf(work(), {"a.txt", "b.txt"}).get(), QStringLiteral("COPY")), S_OK);
    ASSERT_EQ(invoke(menuOf(work(), {"dest"}).get(), QStringLiteral("paste")), S_OK);
    EXPECT_TRUE(exists(work() + "/dest/a.txt") && exists(work() + "/dest/b.txt"));
    EXPECT_TRUE(exists(work() + "/a.txt"));

    // Cut by offset, pasted on the folder's background.
    TComPtr<IContextMenu> cut = menuOf(work(), {"a.txt"});
    TCMInvokeCommandInfo info;
    info.commandOffset = TShellContextMenu::cmdCut;
    ASSERT_EQ(cut->InvokeCommand(info), S_OK);
    makeDir(work() + "/other");
    ASSERT_EQ(invoke(menuOf(work() + "/other", {}).get(), QStringLiteral("paste")), S_OK);
    EXPECT_TRUE(exists(work() + "/other/a.txt"));
    EXPECT_FALSE(exists(work() + "/a.txt"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(ContextMenus, DeleteToTheTrashRestoreAndDeleteForGood)
{
    makeFile(work() + "/doomed.txt", "x");
    ASSERT_EQ(invoke(menuOf(work(), {"doomed.txt"}).get(), QStringLiteral("delete")), S_OK);
    EXPECT_FALSE(exists(work() + "/doomed.txt"));
    const QByteArray trashed = dataHome() + "/Trash/files/doomed.txt";
    ASSERT_TRUE(exists(trashed));

    // In the Trash the item offers Restore and Delete Permanently (as "delete").
    TComPtr<IShellFolder> trash = bind(TIdListPtr(parse("trash:///")).get());
    PItemIDList item = nullptr;
    ASSERT_EQ(trash->ParseDisplayName(nullptr, nullptr, QStringLiteral("doomed.txt"), nullptr,
                                      &item, nullptr),
              S_OK);
    TIdListPtr owned(item);
    PCItemIDList items[] = {item};
    TComPtr<IContextMenu> menu;
    ASSERT_EQ(trash->GetUIObjectOf(nullptr, 1, items, IID_IContextMenu, nullptr, menu.putVoid()),
              S_OK);
    const std::vector<std::uint32_t> ids = idsOf(menu.get(), CMF_EXPLORE | CMF_CANRENAME);
    EXPECT_TRUE(has(ids, 52) && has(ids, 53));
    EXPECT_FALSE(has(ids, 67) || has(ids, 74) || has(ids, 68));

    // Nothing is pasted into a trash, which would not know where it came from.
    EXPECT_FALSE(has(idsOf(menuOf(dataHome() + "/Trash/files", {}).get(), CMF_NORMAL), 76));
    EXPECT_FALSE(has(idsOf(menuOf(dataHome() + "/Trash", {"files"}).get(), CMF_NORMAL), 76));

    ASSERT_EQ(invoke(menu.get(), QStringLiteral("restore")), S_OK);
    EXPECT_TRUE(exists(work() + "/doomed.txt"));
    EXPECT_FALSE(exists(trashed));
    EXPECT_FALSE(exists(dataHome() + "/Trash/info/doomed.txt.trashinfo"));

    // Delete in the trash asks first; "No" keeps the item.
    ASSERT_EQ(invoke(menuOf(work(), {"doomed.txt"}).get(), QStringLiteral("delete")), S_OK);
    TComPtr<IContextMenu> again = menuOf(dataHome() + "/Trash/files", {"doomed.txt"});
    answer = ptmbNo;
    EXPECT_EQ(invoke(again.get(), QStringLiteral("delete")), HResultFromWin32(ERROR_CANCELLED));
    EXPECT_TRUE(exists(trashed));
    answer = ptmbYes;
    EXPECT_EQ(invoke(again.get(), QStringLiteral("delete")), S_OK);
    EXPECT_FALSE(exists(trashed));
    EXPECT_FALSE(exists(dataHome() + "/Trash/info/doomed.txt.trashinfo"));
    EXPECT_EQ(boxes.size(), 2);
}

TEST_F(ContextMenus, RestoreNeverReplacesWhatIsNowAtTheOriginalPlace)
{
    makeFile(work() + "/report.csv", "old");
    ASSERT_EQ(invoke(menuOf(work(), {"report.csv"}).get(), QStringLiteral("delete")), S_OK);
    makeFile(work() + "/report.csv", "new");
    EXPECT_EQ(invoke(menuOf(dataHome() + "/Trash/files", {"report.csv"}).get(),
                     QStringLiteral("restore")),
              HResultFromWin32(ERROR_ALREADY_EXISTS));
    ASSERT_EQ(boxes.size(), 1);
    QFile current(FileNameToString(work() + "/report.csv"));
    ASSERT_TRUE(current.open(QIODevice::ReadOnly));
    EXPECT_EQ(current.readAll(), "new");
    EXPECT_TRUE(exists(dataHome() + "/Trash/files/report.csv"));
}

TEST_F(ContextMenus, RenameTakesTheNewNameAsParameters)
{
    makeFile(work() + "/old.txt");
    TComPtr<IContextMenu> menu = menuOf(work(), {"old.txt"});
    EXPECT_EQ(invoke(menu.get(), QStringLiteral("rename")), E_INVALIDARG);
    EXPECT_EQ(invoke(menu.get(), QStringLiteral("rename"), QStringLiteral("new.txt")), S_OK);
    EXPECT_TRUE(exists(work() + "/new.txt"));
    EXPECT_FALSE(exists(work() + "/old.txt"));
}

TEST_F(ContextMenus, CreateLinkMakesALinkBesideTheItem)
{
    makeFile(work() + "/target.txt");
    EXPECT_EQ(invoke(menuOf(work(), {"target.txt"}).get(), QStringLiteral("link")), S_OK);
    char buffer[4096] = {};
    ASSERT_GT(::readlink((work() + "/Link to target.txt").constData(), buffer, sizeof buffer - 1),
              0);
    EXPECT_EQ(QByteArray(buffer), work() + "/target.txt");
}

TEST_F(ContextMenus, OpenGoesThroughTheUrlOpenerWithTheNamesBytes)
{
    const QByteArray name("caf\xe9 \xff.txt"); // not UTF-8
    makeFile(work() + "/" + name);
    TComPtr<IContextMenu> menu = menuOf(work(), {name});
    TShellMenu shellMenu;
    ASSERT_TRUE(Succeeded(menu->QueryContextMenu(&shellMenu, 0, 50, 0x7FFF, CMF_DEFAULTONLY)));
    TCMInvokeCommandInfo info;
    info.commandOffset = shellMenu.DefaultId() - 50;
    ASSERT_EQ(menu->InvokeCommand(info), S_OK);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QByteArray::fromPercentEncoding(opened[0].toEncoded()),
              "file://" + work() + "/" + name);

    openerWorks = false;
    EXPECT_TRUE(Failed(invoke(menu.get(), QStringLiteral("open"))));
    EXPECT_EQ(boxes.size(), 1);
}

TEST_F(ContextMenus, PropertiesShowTheItemsFacts)
{
    makeFile(work() + "/data.csv", "12345");
    ::chmod((work() + "/data.csv").constData(), 0640);
    ASSERT_EQ(invoke(menuOf(work(), {"data.csv"}).get(), QStringLiteral("properties")), S_OK);
    ASSERT_EQ(properties.size(), 1);
    EXPECT_EQ(properties[0].name, QStringLiteral("data.csv"));
    EXPECT_EQ(properties[0].location, FileNameToString(work()));
    EXPECT_TRUE(properties[0].size.startsWith(QStringLiteral("5 bytes")));
    EXPECT_TRUE(properties[0].permissions.startsWith(QStringLiteral("rw-r----- (640)")));
    EXPECT_FALSE(properties[0].type.isEmpty());
    EXPECT_FALSE(properties[0].modified.isEmpty());

    // A folder's background offers its own properties.
    ASSERT_EQ(invoke(menuOf(work(), {}).get(), QStringLiteral("properties")), S_OK);
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties[1].name, QStringLiteral("work"));
    EXPECT_TRUE(properties[1].size.isEmpty());
}

TEST_F(ContextMenus, VerbsTheMenuDoesNotOfferAreRefused)
{
    makeFile(work() + "/a.txt");
    TComPtr<IContextMenu> menu = menuOf(work(), {"a.txt"});
    EXPECT_EQ(invoke(menu.get(), QStringLiteral("restore")), E_INVALIDARG);
    EXPECT_EQ(invoke(menu.get(), QStringLiteral("no such verb")), E_INVALIDARG);
    TCMInvokeCommandInfo info;
    info.commandOffset = TShellContextMenu::cmdPaste;
    EXPECT_EQ(menu->InvokeCommand(info), E_INVALIDARG);
    EXPECT_TRUE(exists(work() + "/a.txt"));
}

TEST_F(ContextMenus, TheTrashTakesDrops)
{
    makeFile(work() + "/dropped.txt");
    TComPtr<IShellFolder> desktopFolder = desktop();
    makeDir(dataHome() + "/Trash");
    makeDir(dataHome() + "/Trash/files");
    TIdListPtr trashItem(ItemData::MakeSpecial(ItemData::KindTrash));
    PCItemIDList items[] = {trashItem.get()};
    TComPtr<IDropTarget> target;
    ASSERT_EQ(
        desktopFolder->GetUIObjectOf(nullptr, 1, items, IID_IDropTarget, nullptr, target.putVoid()),
        S_OK);

    TIdListPtr workList(parse(work()));
    TComPtr<IShellFolder> workFolder = bind(workList.get());
    PItemIDList file = nullptr;
    ASSERT_EQ(workFolder->ParseDisplayName(nullptr, nullptr, QStringLiteral("dropped.txt"), nullptr,
                                           &file, nullptr),
              S_OK);
    TIdListPtr ownedFile(file);
    TComPtr<IDataObject> data;
    ASSERT_EQ(TDataObject_shlv::Create(workFolder.get(), workList.get(), {file}, data.put()), S_OK);

    std::uint32_t effect = DROPEFFECT_COPY; // a source that only allows copies
    ASSERT_EQ(target->DragEnter(data.get(), MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragOver(MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(data.get(), MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_FALSE(exists(work() + "/dropped.txt"));
    EXPECT_TRUE(exists(dataHome() + "/Trash/files/dropped.txt"));
    EXPECT_TRUE(exists(dataHome() + "/Trash/info/dropped.txt.trashinfo"));
}
