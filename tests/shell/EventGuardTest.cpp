#include "ShellTestSupport.h"

#include "platform/EAbort.h"
#include "platform/EPlatformError.h"
#include "platform/ErrnoMapping.h"
#include "platform/ErrorText.h"
#include "platform/FileNameCodec.h"
#include "platform/GlobalMemory.h"
#include "platform/ResultCodes.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessageBox.h"
#include "shell/UPTShellUtils.h"
#include "shell/dragdrop/DragDropAbilities.h"
#include "shell/dragdrop/MimeDataBridge.h"
#include "shell/dragdrop/TMimeDataObject.h"
#include "shell/records/TPTShComboData.h"
#include "shell/utils/ShellDataBlocks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMimeData>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

struct CapturedBoxes {
    QList<TPTMessageBoxRequest> boxes;
    TPTMessageBoxHandler previous = SetPTMessageBoxHandler([this](const TPTMessageBoxRequest& r) {
        boxes << r;
        return ptmbOk;
    });
    ~CapturedBoxes() { SetPTMessageBoxHandler(previous); }
};

// An object whose event handler calls into something that throws, as a shell
// call does when a folder vanished.
class ThrowingReceiver : public QObject
{
  public:
    std::function<void()> call;
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        PTEventGuard(call);
        return true;
    }
};

} // namespace

TEST(PTEventGuard, PlatformErrorInsideAQtEventIsShownAndTheProgramGoesOn)
{
    CapturedBoxes capture;
    ThrowingReceiver receiver;
    receiver.call = [] { RaisePlatformError(HResultFromWin32(3)); };
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_EQ(capture.boxes[0].icon, TPTMsgIcon::Critical);
    EXPECT_EQ(capture.boxes[0].text, ResultCodeText(HResultFromWin32(3)));
}

TEST(PTEventGuard, EachKindOfErrorGetsItsOwnAnswer)
{
    CapturedBoxes capture;
    EXPECT_TRUE(PTEventGuard([] {}));
    EXPECT_FALSE(PTEventGuard([] { throw EAbort(); }));
    EXPECT_TRUE(capture.boxes.isEmpty()) << "the silent abort shows nothing";
    EXPECT_FALSE(PTEventGuard([] { throw std::runtime_error("disk on fire"); }));
    EXPECT_FALSE(PTEventGuard([] { throw 42; }));
    ASSERT_EQ(capture.boxes.size(), 2);
    EXPECT_EQ(capture.boxes[0].text, QStringLiteral("disk on fire"));
    EXPECT_EQ(capture.boxes[1].text, QStringLiteral("Unknown error."));
}

TEST(PTEventGuard, AFailingMessageBoxDoesNotEscapeEither)
{
    const auto previous = SetPTMessageBoxHandler(
        [](const TPTMessageBoxRequest&) -> TPTMsgButton { throw std::runtime_error("no box"); });
    EXPECT_FALSE(PTEventGuard([] { throw std::runtime_error("first"); }));
    SetPTMessageBoxHandler(previous);
}

namespace
{

// A data object whose "Shell IDList Array" names a parent no folder binds to,
// as another program's drag can.
TComPtr<IDataObject> unbindableDrag(QMimeData& mimeData)
{
    TIdListPtr bogus(MakeRawIdList({QByteArray("\x7F"
                                               "unknown kind")}));
    HGLOBAL block = nullptr;
    EXPECT_EQ(BuildIdListArray(bogus.get(), {bogus.get()}, &block), S_OK);
    mimeData.setData(QString::fromLatin1(kShellIdListMimeType), BytesOfGlobal(block));
    GlobalFree(block);
    TComPtr<IDataObject> object;
    EXPECT_EQ(TMimeDataObject::Create(&mimeData, object.put()), S_OK);
    return object;
}

// A combo entry whose object is a file: its folder cannot be bound.
void setFileEntry(TPTShComboData& entry, const QByteArray& file)
{
    TIdListPtr list;
    ASSERT_EQ(ShellGetIdListFromPath(FileNameToString(file), list.put()), S_OK);
    entry.SetData(nullptr, nullptr, list.get());
}

} // namespace

TEST(PTEventGuard, ShellCallsRaisingInsideQtEventsAreShownAsMessages)
{
    CapturedBoxes capture;
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.path()) + "/plain.txt";
    QFile(QFile::decodeName(file)).open(QIODevice::WriteOnly);
    QMimeData mimeData;
    TComPtr<IDataObject> drag = unbindableDrag(mimeData);
    TPTShComboData entry(nullptr);
    setFileEntry(entry, file);

    ThrowingReceiver receiver;
    QEvent event(QEvent::User);
    receiver.call = [&] { DragDropAbilitiesOf(drag.get()); };
    QCoreApplication::sendEvent(&receiver, &event);
    receiver.call = [&] { entry.GetThisIShf(); };
    QCoreApplication::sendEvent(&receiver, &event);

    ASSERT_EQ(capture.boxes.size(), 2);
    EXPECT_EQ(capture.boxes[0].text, ResultCodeText(E_INVALIDARG));
    EXPECT_EQ(capture.boxes[1].text, ResultCodeText(HResultFromWin32(ERROR_DIRECTORY)));
}

TEST(PTEventGuard, ASubscriberRaisingInADeviceChangeIsShownAndTheOthersAreStillTold)
{
    // GIVEN two controls subscribed to device changes, the first failing as
    // a drive-cache flush or refresh does when its folder cannot be had
    CapturedBoxes capture;
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.path()) + "/plain.txt";
    QFile(QFile::decodeName(file)).open(QIODevice::WriteOnly);
    TPTShComboData entry(nullptr);
    setFileEntry(entry, file);
    TPTDeviceChangeHandler handler(QStringLiteral("/nonexistent/mounts"));
    int told = 0;
    handler.Add(&entry, [&](TPTDeviceChangeHandler*, const TMessage&) { entry.GetThisIShf(); });
    handler.Add(&told, [&](TPTDeviceChangeHandler*, const TMessage&) { ++told; });

    // WHEN a device arrives (posted, then broadcast from the event loop)
    TMessage arrival{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, 0};
    handler.WndProc(arrival);
    QCoreApplication::sendPostedEvents(&handler);

    // THEN the failure is a message and the second control still hears of it
    ASSERT_EQ(capture.boxes.size(), 1);
    EXPECT_EQ(capture.boxes[0].text, ResultCodeText(HResultFromWin32(ERROR_DIRECTORY)));
    EXPECT_EQ(told, 1);
}
