#include "NamespaceFixture.h"

#include "platform/EPlatformError.h"
#include "platform/FileNameCodec.h"
#include "platform/GlobalMemory.h"
#include "shell/UPTShellControls.h"
#include "shell/UPTShellUtils.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/dragdrop/ShellDoDragDrop.h"
#include "shell/dragdrop/TMimeDataObject.h"
#include "shell/utils/ClipboardFormats.h"
#include "shell/utils/ShellDataBlocks.h"
#include "shell/utils/StgMedium.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <unistd.h>

namespace
{

QByteArray le32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

TFormatEtc formatOf(std::uint16_t number, std::uint32_t tymed = TYMED_HGLOBAL,
                    std::uint32_t aspect = DVASPECT_CONTENT)
{
    TFormatEtc format;
    format.cfFormat = number;
    format.tymed = tymed;
    format.dwAspect = aspect;
    return format;
}

QByteArray getData(IDataObject* object, std::uint16_t number)
{
    TFormatEtc format = formatOf(number);
    TStgMedium medium;
    if (object->GetData(&format, &medium) != S_OK)
        return QByteArray();
    const QByteArray bytes = BytesOfGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
}

QByteArray listBytes(PCItemIDList list)
{
    return IdListToBytes(list);
}

// Lists that name the same folders: the items' stat data may differ between two
// parses (another program touching /tmp changes its time).
bool sameFolders(const QByteArray& listBytes, PCItemIDList list)
{
    return CompareAbsIdLists(reinterpret_cast<PCItemIDList>(listBytes.constData()), list) == 0;
}

// Keeps the global blocks honest: every block a test makes is freed.
class GlobalBlocks : public NamespaceFixture
{
  protected:
    void SetUp() override
    {
        NamespaceFixture::SetUp();
        m_globalAtStart = GlobalLiveBlockCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(GlobalLiveBlockCount(), m_globalAtStart) << "global blocks leaked";
        NamespaceFixture::TearDown();
    }

    // The list data object of the named entries of a folder.
    TComPtr<IDataObject> listObject(const QByteArray& folderPath, const QList<QByteArray>& names)
    {
        TIdListPtr folderList(parse(folderPath));
        TComPtr<IShellFolder> folder = bind(folderList.get());
        std::vector<TIdListPtr> items;
        QList<PCItemIDList> relative;
        for (const QByteArray& name : names) {
            PItemIDList item = nullptr;
            EXPECT_EQ(folder->ParseDisplayName(nullptr, nullptr, FileNameToString(name), nullptr,
                                               &item, nullptr),
                      S_OK);
            items.emplace_back(item);
            relative.append(item);
        }
        TComPtr<IDataObject> object;
        EXPECT_EQ(TDataObject_shlv::Create(folder.get(), folderList.get(), relative, object.put()),
                  S_OK);
        return object;
    }

  private:
    long m_globalAtStart = 0;
};

using DataBlocks = GlobalBlocks;
using DataObjects = GlobalBlocks;
using MimeBridge = GlobalBlocks;

TEST_F(DataBlocks, IdListArrayLayoutByteForByte)
{
    TIdListPtr parent(MakeRawIdList({"AB"}));
    TIdListPtr first(MakeRawIdList({"x"}));
    TIdListPtr second(MakeRawIdList({"yz"}));
    HGLOBAL block = nullptr;
    ASSERT_EQ(BuildIdListArray(parent.get(), {first.get(), second.get()}, &block), S_OK);

    // n, three offsets, parent (6 bytes), item 1 (5), item 2 (6).
    const QByteArray expected = le32(2) + le32(16) + le32(22) + le32(27) +
                                QByteArray("\x04\x00"
                                           "AB\x00\x00",
                                           6) +
                                QByteArray("\x03\x00x\x00\x00", 5) +
                                QByteArray("\x04\x00yz\x00\x00", 6);
    EXPECT_EQ(BytesOfGlobal(block), expected);
    EXPECT_EQ(GlobalSize(block), std::size_t(6 + 4 * 2 + 8 + 5 + 6));

    TIdListArrayData read;
    ASSERT_TRUE(ReadIdListArray(block, read));
    EXPECT_EQ(read.parent, listBytes(parent.get()));
    ASSERT_EQ(read.items.size(), 2);
    EXPECT_EQ(read.items[1], listBytes(second.get()));
    GlobalFree(block);

    // No parent: an empty list in its place.
    ASSERT_EQ(BuildIdListArray(nullptr, {first.get()}, &block), S_OK);
    EXPECT_EQ(BytesOfGlobal(block), le32(1) + le32(12) + le32(14) + QByteArray(2, '\0') +
                                        QByteArray("\x03\x00x\x00\x00", 5));
    GlobalFree(block);
}

TEST_F(DataBlocks, MalformedIdListArraysAreRefused)
{
    const QByteArray parent("\x00\x00", 2);
    const QByteArray good = le32(0) + le32(8) + parent;
    TIdListArrayData read;
    EXPECT_TRUE(ReadIdListArray(good.constData(), std::size_t(good.size()), read));
    for (const QByteArray& bad : {le32(0) + le32(9) + parent,       // offset past the data
                                  le32(1000000) + le32(8) + parent, // count beyond the block
                                  le32(0) + le32(8) + QByteArray("\x01\x00", 2), // item size 1
                                  le32(0)})
        EXPECT_FALSE(ReadIdListArray(bad.constData(), std::size_t(bad.size()), read))
            << bad.toHex().constData();
}

TEST_F(DataBlocks, FileDropLayoutByteForByte)
{
    HGLOBAL block = nullptr;
    ASSERT_EQ(BuildFileDropBlock({"/a", "/bc"}, &block), S_OK);
    QByteArray expected(2 * 260 + 21, '\0');
    expected.replace(0, 4, le32(20));
    expected.replace(20, 8, QByteArray("/a\0/bc\0\0", 8));
    EXPECT_EQ(BytesOfGlobal(block), expected);
    QList<QByteArray> names;
    ASSERT_TRUE(ReadFileDropBlock(block, names));
    EXPECT_EQ(names, (QList<QByteArray>{"/a", "/bc"}));
    GlobalFree(block);

    // Linux paths are not bounded by 260: a longer name still fits whole.
    const QByteArray longName = "/" + QByteArray(600, 'n');
    ASSERT_EQ(BuildFileDropBlock({longName}, &block), S_OK);
    EXPECT_EQ(GlobalSize(block), std::size_t(20 + 601 + 1 + 1));
    ASSERT_TRUE(ReadFileDropBlock(block, names));
    EXPECT_EQ(names, QList<QByteArray>{longName});
    GlobalFree(block);

    // A name that runs past the block is refused.
    const QByteArray cut = le32(20) + QByteArray(16, '\0') + "/unterminated";
    EXPECT_FALSE(ReadFileDropBlock(cut.constData(), std::size_t(cut.size()), names));
}

TEST_F(DataObjects, QueryGetDataAnswers)
{
    makeFile(work() + "/a.txt");
    TComPtr<IDataObject> object = listObject(work(), {"a.txt"});
    ASSERT_TRUE(object);
    TFormatEtc f = formatOf(CF_SHELLIDLIST());
    EXPECT_EQ(object->QueryGetData(&f), S_OK);
    f = formatOf(CF_HDROP, TYMED_HGLOBAL | TYMED_ISTREAM);
    EXPECT_EQ(object->QueryGetData(&f), S_OK);
    f = formatOf(CF_HDROP, TYMED_ISTREAM);
    EXPECT_EQ(object->QueryGetData(&f), DV_E_TYMED);
    f = formatOf(CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON);
    EXPECT_EQ(object->QueryGetData(&f), DV_E_FORMATETC);
    f = formatOf(CF_TEXT);
    EXPECT_EQ(object->QueryGetData(&f), DV_E_FORMATETC);
    TStgMedium medium;
    EXPECT_EQ(object->GetData(&f, &medium), DV_E_FORMATETC);
    EXPECT_EQ(object->QueryGetData(nullptr), DV_E_FORMATETC);

    EXPECT_EQ(object->GetDataHere(&f, &medium), E_NOTIMPL);
    EXPECT_EQ(object->SetData(&f, &medium, false), E_NOTIMPL);
    std::uint32_t connection = 0;
    EXPECT_EQ(object->DAdvise(&f, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(object->DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);
    TDVTargetDevice device{4};
    TFormatEtc canonical;
    canonical.ptd = &device;
    EXPECT_EQ(object->GetCanonicalFormatEtc(&f, &canonical), E_NOTIMPL);
    EXPECT_EQ(canonical.ptd, nullptr);
}

TEST_F(DataObjects, EnumeratorListsTwoFormatsAndOutlivesItsObject)
{
    makeFile(work() + "/a.txt");
    TComPtr<IDataObject> object = listObject(work(), {"a.txt"});
    TComPtr<IEnumFormatEtc> other;
    EXPECT_EQ(object->EnumFormatEtc(DATADIR_SET, other.put()), E_NOTIMPL);
    EXPECT_FALSE(other);

    TComPtr<IEnumFormatEtc> formats;
    ASSERT_EQ(object->EnumFormatEtc(DATADIR_GET, formats.put()), S_OK);
    object.reset(); // the enumerator keeps the list alive

    TFormatEtc got[3];
    std::uint32_t fetched = 99;
    EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[0].cfFormat, CF_SHELLIDLIST());
    EXPECT_EQ(got[1].cfFormat, CF_HDROP);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(got[i].dwAspect, DVASPECT_CONTENT);
        EXPECT_EQ(got[i].lindex, -1);
        EXPECT_EQ(got[i].tymed, TYMED_HGLOBAL);
        EXPECT_EQ(got[i].ptd, nullptr);
    }
    EXPECT_EQ(formats->Next(1, got, nullptr), S_FALSE);

    EXPECT_EQ(formats->Reset(), S_OK);
    EXPECT_EQ(formats->Skip(1), S_OK);
    TComPtr<IEnumFormatEtc> clone;
    ASSERT_EQ(formats->Clone(clone.put()), S_OK);
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(formats->Skip(5), S_FALSE);
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST_F(DataObjects, FormatListCopiesTargetDevicesDeeply)
{
    struct {
        TDVTargetDevice head;
        std::uint32_t rest;
    } device{{8}, 0xABCD};
    TPTFormatEtcList list;
    TFormatEtc format = formatOf(CF_HDROP);
    format.ptd = &device.head;
    list.Add(format);
    ASSERT_NE(list.Item(0)->ptd, nullptr);
    EXPECT_NE(list.Item(0)->ptd, &device.head);
    EXPECT_EQ(std::memcmp(list.Item(0)->ptd, &device, 8), 0);
    EXPECT_EQ(list.Item(1), nullptr);
}

TEST_F(DataObjects, ListObjectCarriesTheSelectionInOrder)
{
    makeFile(work() + "/b.txt");
    makeFile(work() + "/a b.txt");
    TComPtr<IDataObject> object = listObject(work(), {"b.txt", "a b.txt"});

    TIdListArrayData array;
    const QByteArray arrayBytes = getData(object.get(), CF_SHELLIDLIST());
    ASSERT_TRUE(ReadIdListArray(arrayBytes.constData(), std::size_t(arrayBytes.size()), array));
    TIdListPtr folder(parse(work()));
    EXPECT_TRUE(sameFolders(array.parent, folder.get()));
    ASSERT_EQ(array.items.size(), 2);

    QList<QByteArray> names;
    const QByteArray drop = getData(object.get(), CF_HDROP);
    ASSERT_TRUE(ReadFileDropBlock(drop.constData(), std::size_t(drop.size()), names));
    EXPECT_EQ(names, (QList<QByteArray>{work() + "/b.txt", work() + "/a b.txt"}));
    auto* base = dynamic_cast<TPTDataObjectBase*>(object.get());
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(BytesOfGlobal(base->TextBlock()),
              work() + "/b.txt\r\n" + work() + "/a b.txt" + QByteArray(1, '\0'));

    TComPtr<IDataObject> none;
    EXPECT_EQ(TDataObject_shlv::Create(nullptr, folder.get(), {}, none.put()), S_FALSE);
    EXPECT_FALSE(none);
}

TEST_F(DataObjects, TreeNodeInAVolumeRootHasTheVolumeAsParent)
{
    TIdListPtr root(parse("/"));
    TIdListPtr tmp(parse("/tmp"));
    if (IdListItemCount(tmp.get()) != IdListItemCount(root.get()) + 1)
        GTEST_SKIP() << "/tmp is a volume of its own here";
    TComPtr<IShellFolder> rootFolder = bind(root.get());
    TComPtr<IDataObject> object;
    ASSERT_EQ(TDataObject_shtv::Create(rootFolder.get(), root.get(), IdListLastItem(tmp.get()),
                                       object.put()),
              S_OK);
    TIdListArrayData array;
    const QByteArray bytes = getData(object.get(), CF_SHELLIDLIST());
    ASSERT_TRUE(ReadIdListArray(bytes.constData(), std::size_t(bytes.size()), array));
    EXPECT_EQ(array.parent, listBytes(root.get()));
    ASSERT_EQ(array.items.size(), 1);
    EXPECT_EQ(array.items[0], listBytes(IdListLastItem(tmp.get())));
    auto* base = dynamic_cast<TPTDataObjectBase*>(object.get());
    EXPECT_EQ(BytesOfGlobal(base->TextBlock()), QByteArray("/tmp\r\n", 7));

    // A node without a record: empty blocks, nothing to hand out.
    TComPtr<IDataObject> empty;
    ASSERT_EQ(TDataObject_shtv::Create(rootFolder.get(), root.get(), nullptr, empty.put()), S_OK);
    EXPECT_TRUE(getData(empty.get(), CF_HDROP).isEmpty());
}

TEST_F(DataObjects, DropSourceFollowsTheDragButton)
{
    TComPtr<IDropSource> right = TComPtr<IDropSource>::adopt(new TDropSource_shlvtv(MK_RBUTTON));
    EXPECT_EQ(right->QueryContinueDrag(false, MK_RBUTTON | MK_SHIFT), S_OK);
    EXPECT_EQ(right->QueryContinueDrag(false, MK_RBUTTON | MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(right->QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(right->QueryContinueDrag(true, MK_RBUTTON), DRAGDROP_S_CANCEL);

    TComPtr<IDropSource> left = TComPtr<IDropSource>::adopt(new TDropSource_shlvtv(MK_LBUTTON));
    EXPECT_EQ(left->QueryContinueDrag(false, MK_LBUTTON | MK_CONTROL), S_OK);
    EXPECT_EQ(left->QueryContinueDrag(false, MK_LBUTTON | MK_MBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(left->QueryContinueDrag(false, MK_CONTROL), DRAGDROP_S_DROP);
    EXPECT_EQ(left->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST_F(DataObjects, AbilitiesOfDraggedObjects)
{
    makeFile(work() + "/a.txt");
    TComPtr<IDataObject> files = listObject(work(), {"a.txt"});
    EXPECT_EQ(DragDropAbilitiesOf(files.get()), 7u);

    // Without an array every effect is allowed.
    TComPtr<IDataObject> empty;
    TComPtr<IShellFolder> desk = desktop();
    ASSERT_EQ(TDataObject_shtv::Create(desk.get(), nullptr, nullptr, empty.put()), S_OK);
    EXPECT_EQ(DragDropAbilitiesOf(empty.get()), 7u);

    // A parent that no folder can be bound to raises the platform error.
    QMimeData foreign;
    TIdListPtr bogus(MakeRawIdList({QByteArray("\x7F"
                                               "unknown kind")}));
    HGLOBAL block = nullptr;
    ASSERT_EQ(BuildIdListArray(bogus.get(), {bogus.get()}, &block), S_OK);
    foreign.setData(QString::fromLatin1(kShellIdListMimeType), BytesOfGlobal(block));
    GlobalFree(block);
    TComPtr<IDataObject> unbound;
    ASSERT_EQ(TMimeDataObject::Create(&foreign, unbound.put()), S_OK);
    EXPECT_THROW(DragDropAbilitiesOf(unbound.get()), EPlatformError);
}

class RecordingOwner : public IPTDropTargetOwner
{
  public:
    HRESULT OnDropTarget_DragEnter(IDataObject* d, std::uint32_t k, TPointL p,
                                   std::uint32_t& e) override
    {
        calls << QStringLiteral("enter %1 %2,%3 %4").arg(d != nullptr).arg(p.x).arg(p.y).arg(k);
        e = DROPEFFECT_LINK;
        return S_OK;
    }
    HRESULT OnDropTarget_DragOver(std::uint32_t k, TPointL, std::uint32_t& e) override
    {
        calls << QStringLiteral("over %1").arg(k);
        e = DROPEFFECT_NONE;
        return S_FALSE;
    }
    HRESULT OnDropTarget_DragLeave() override
    {
        calls << QStringLiteral("leave");
        return S_OK;
    }
    HRESULT OnDropTarget_Drop(IDataObject*, std::uint32_t, TPointL, std::uint32_t& e) override
    {
        calls << QStringLiteral("drop");
        e = DROPEFFECT_COPY;
        return E_FAIL;
    }
    QStringList calls;
};

TEST_F(DataObjects, ControlDropTargetsPassCallsToTheirOwner)
{
    RecordingOwner owner;
    auto* target = new TDropTarget_shlv(&owner);
    TComPtr<IDropTarget> held = TComPtr<IDropTarget>::adopt(target);
    TComPtr<IDataObject> empty;
    TComPtr<IShellFolder> desk = desktop();
    ASSERT_EQ(TDataObject_shtv::Create(desk.get(), nullptr, nullptr, empty.put()), S_OK);
    std::uint32_t effect = DROPEFFECT_COPY;
    EXPECT_EQ(held->DragEnter(empty.get(), MK_LBUTTON, TPointL{3, 4}, &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_LINK);
    EXPECT_EQ(held->DragOver(MK_RBUTTON, TPointL{}, &effect), S_FALSE);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(held->DragLeave(), S_OK);
    EXPECT_EQ(held->Drop(empty.get(), 0, TPointL{}, &effect), E_FAIL);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(owner.calls, (QStringList{"enter 1 3,4 1", "over 2", "leave", "drop"}));

    // A control that went away leaves a target that answers nothing.
    target->Detach();
    EXPECT_EQ(held->DragLeave(), E_UNEXPECTED);
    TComPtr<IDropTarget> tree = TComPtr<IDropTarget>::adopt(new TDropTarget_shtv(&owner));
    EXPECT_EQ(tree->DragLeave(), S_OK);
}

TEST_F(MimeBridge, DataObjectRoundTripsThroughQMimeData)
{
    const QByteArray odd = "caf\xE9 #1.txt"; // not UTF-8, with URL-special characters
    makeFile(work() + "/" + odd);
    makeFile(work() + "/plain");
    TComPtr<IDataObject> object = listObject(work(), {odd, "plain"});
    std::unique_ptr<QMimeData> mime(MimeDataFromDataObject(object.get(), TClipboardIntent::Cut));

    EXPECT_EQ(mime->data(QString::fromLatin1(kShellIdListMimeType)),
              getData(object.get(), CF_SHELLIDLIST()));
    const QByteArray uris = mime->data(QString::fromLatin1(kUriListMimeType));
    EXPECT_TRUE(uris.contains("/caf%E9%20%231.txt\r\n")) << uris.constData();
    EXPECT_EQ(PathsFromUriList(uris), (QList<QByteArray>{work() + "/" + odd, work() + "/plain"}));
    EXPECT_TRUE(mime->text().endsWith(QStringLiteral("/plain")));
    EXPECT_TRUE(
        mime->data(QString::fromLatin1(kGnomeCopiedFilesMimeType)).startsWith("cut\nfile://"));
    EXPECT_EQ(ClipboardIntentOf(mime.get()), TClipboardIntent::Cut);

    TComPtr<IDataObject> back;
    ASSERT_EQ(TMimeDataObject::Create(mime.get(), back.put()), S_OK);
    EXPECT_EQ(getData(back.get(), CF_SHELLIDLIST()), getData(object.get(), CF_SHELLIDLIST()));
    EXPECT_EQ(getData(back.get(), CF_HDROP), getData(object.get(), CF_HDROP));

    std::unique_ptr<QMimeData> dragged(MimeDataFromDataObject(object.get()));
    EXPECT_FALSE(dragged->hasFormat(QString::fromLatin1(kGnomeCopiedFilesMimeType)));
    EXPECT_EQ(ClipboardIntentOf(dragged.get()), TClipboardIntent::Copy);
    ::unlink((work() + "/" + odd).constData()); // QTemporaryDir cannot remove such names
}

TEST_F(MimeBridge, FileManagerUriListsReadAsDataObjects)
{
    makeDir(work() + "/one");
    makeDir(work() + "/two");
    makeFile(work() + "/one/a b");
    makeFile(work() + "/one/c");
    makeFile(work() + "/two/d");

    // GIVEN another program's URI list of two files in one folder and a web link
    QMimeData sameFolder;
    sameFolder.setData(QStringLiteral("text/uri-list"),
                       "# comment\r\nfile://" + work() +
                           "/one/a%20b\r\nhttp://example.org/x\r\n"
                           "file://localhost" +
                           work() + "/one/c\r\nfile://elsewhere/etc/passwd\r\n");
    TComPtr<IDataObject> object;
    ASSERT_EQ(TMimeDataObject::Create(&sameFolder, object.put()), S_OK);
    // THEN the local files become the file-drop names and an array under their folder
    QList<QByteArray> names;
    const QByteArray drop = getData(object.get(), CF_HDROP);
    ASSERT_TRUE(ReadFileDropBlock(drop.constData(), std::size_t(drop.size()), names));
    EXPECT_EQ(names, (QList<QByteArray>{work() + "/one/a b", work() + "/one/c"}));
    TIdListArrayData array;
    QByteArray bytes = getData(object.get(), CF_SHELLIDLIST());
    ASSERT_TRUE(ReadIdListArray(bytes.constData(), std::size_t(bytes.size()), array));
    TIdListPtr one(parse(work() + "/one"));
    EXPECT_TRUE(sameFolders(array.parent, one.get()));
    EXPECT_EQ(array.items.size(), 2);
    EXPECT_EQ(DragDropAbilitiesOf(object.get()), 7u);

    // Files of two folders: the desktop is the parent, the items absolute.
    QMimeData twoFolders;
    twoFolders.setData(QStringLiteral("text/uri-list"),
                       "file://" + work() + "/one/c\r\nfile://" + work() + "/two/d\r\n");
    ASSERT_EQ(TMimeDataObject::Create(&twoFolders, object.put()), S_OK);
    bytes = getData(object.get(), CF_SHELLIDLIST());
    ASSERT_TRUE(ReadIdListArray(bytes.constData(), std::size_t(bytes.size()), array));
    EXPECT_EQ(array.parent, QByteArray(2, '\0'));
    TIdListPtr d(parse(work() + "/two/d"));
    EXPECT_TRUE(sameFolders(array.items.value(1), d.get()));

    QMimeData text;
    text.setText(QStringLiteral("just words"));
    EXPECT_EQ(TMimeDataObject::Create(&text, object.put()), DV_E_FORMATETC);
}

TEST_F(MimeBridge, DragLoopWithoutADropCancels)
{
    // The offscreen platform ends every drag at once without a target.
    makeFile(work() + "/a.txt");
    TComPtr<IDataObject> object = listObject(work(), {"a.txt"});
    TComPtr<IDropSource> source = TComPtr<IDropSource>::adopt(new TDropSource_shlvtv(MK_LBUTTON));
    QObject dragSource;
    std::uint32_t effect = 99;
    EXPECT_EQ(ShellDoDragDrop(&dragSource, object.get(), source.get(), DROPEFFECT_COPY, &effect),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(ShellDoDragDrop(&dragSource, object.get(), source.get(), 0, &effect),
              DRAGDROP_S_CANCEL);
}

TEST_F(MimeBridge, DropEventsGiveDropArguments)
{
    QMimeData data;
    QDropEvent event(QPointF(5, 6), Qt::CopyAction | Qt::MoveAction, &data, Qt::RightButton,
                     Qt::ControlModifier);
    const TQtDropArguments arguments = DropArgumentsOf(&event);
    EXPECT_EQ(arguments.keyState, MK_RBUTTON | MK_CONTROL);
    EXPECT_EQ(arguments.point.x, 5);
    EXPECT_EQ(arguments.effect, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    AnswerDropEvent(&event, DROPEFFECT_MOVE | DROPEFFECT_SCROLL);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(event.dropAction(), Qt::MoveAction);
    AnswerDropEvent(&event, DROPEFFECT_NONE);
    EXPECT_FALSE(event.isAccepted());
}

TEST_F(MimeBridge, KeyStatesAndEffects)
{
    EXPECT_EQ(
        KeyStateFromQt(Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier),
        MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(DropEffectsFromQt(Qt::CopyAction | Qt::LinkAction),
              DROPEFFECT_COPY | DROPEFFECT_LINK);
    EXPECT_EQ(QtDropActionsFromEffects(DROPEFFECT_MOVE | DROPEFFECT_SCROLL),
              Qt::DropActions(Qt::MoveAction));
    EXPECT_EQ(QtDropActionFromEffect(DROPEFFECT_NONE), Qt::IgnoreAction);
}

TEST_F(DataBlocks, AnArrayThatWouldDecodeToFarMoreThanItsSizeIsRefused)
{
    // GIVEN 1000 offsets that all name one 60 000-byte list (60 MB decoded)
    const int n = 1000;
    QByteArray block = le32(n);
    const std::uint32_t listAt = 8 + 4 * n;
    for (int k = 0; k <= n; ++k)
        block += le32(listAt);
    for (int i = 0; i < 1000; ++i)
        block += QByteArray("\x3c\x00", 2) + QByteArray(58, 'x');
    block += QByteArray(2, '\0');
    TIdListArrayData read;
    EXPECT_FALSE(ReadIdListArray(block.constData(), std::size_t(block.size()), read));
    QMimeData dropped;
    dropped.setData(QString::fromLatin1(kShellIdListMimeType), block);
    TComPtr<IDataObject> object;
    EXPECT_EQ(TMimeDataObject::Create(&dropped, object.put()), DV_E_FORMATETC);

    // A few shared lists stay within the bound.
    const QByteArray shared = le32(2) + le32(16) + le32(16) + le32(16) +
                              QByteArray("\x08\x00"
                                         "abcdef",
                                         8) +
                              QByteArray(2, '\0');
    EXPECT_TRUE(ReadIdListArray(shared.constData(), std::size_t(shared.size()), read));
    EXPECT_EQ(read.items.size(), 2);
}

TEST_F(MimeBridge, UriListsAreReadAsQMimeDataReadsThemAndBounded)
{
    const QByteArray lines = "file:///t/%zz\r\nFILE:///t/Up\r\nFile://LocalHost/t/host\r\n"
                             "file:///t/100%\r\nfile:///t/%4\r\nfile:///t/%41%62\r\n";
    QMimeData mime;
    mime.setData(QString::fromLatin1(kUriListMimeType), lines);
    QStringList viaQt;
    for (const QUrl& url : mime.urls())
        viaQt << url.path(); // the host is ours to judge: Qt keeps it apart
    QStringList ours;
    for (const QByteArray& path : PathsFromUriList(lines))
        ours << QString::fromUtf8(path);
    EXPECT_EQ(ours, viaQt);
    EXPECT_EQ(ours, (QStringList{"/t/%zz", "/t/Up", "/t/host", "/t/100%", "/t/%4", "/t/Ab"}));

    // Beyond the bounds a list is refused whole instead of decoded for seconds.
    QByteArray many;
    for (qsizetype i = 0; i <= kMaxUriListPaths; ++i)
        many += "file:///t/" + QByteArray::number(i) + "\r\n";
    EXPECT_TRUE(PathsFromUriList(many).isEmpty());
    many.chop(many.size() - many.lastIndexOf("file:"));
    EXPECT_EQ(PathsFromUriList(many).size(), kMaxUriListPaths);
    EXPECT_TRUE(
        PathsFromUriList("file:///" + QByteArray(kMaxUriListBytes, 'x') + "\r\n").isEmpty());
}

} // namespace
