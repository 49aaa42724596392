#include "platform/EAbort.h"
#include "platform/EPlatformError.h"
#include "platform/ErrorText.h"
#include "platform/ResultCodes.h"
#include "shell/PTEventGuard.h"
#include "shell/PTMessageBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

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
