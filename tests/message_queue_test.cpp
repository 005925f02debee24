#include "platform/message_queue_qt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

namespace {

// Counts the events posted to it.
class Receiver final : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++received;
        return true;
    }
    int received = 0;
};

TEST(WindowMessageQueue, DoEventsHandlesWhatIsWaiting)
{
    platform::WindowMessageQueue messages;
    Receiver receiver;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));

    messages.DoEvents();

    EXPECT_EQ(receiver.received, 2);
}

TEST(WindowMessageQueue, WaitingWithoutMessagesLastsUntilTheTick)
{
    platform::WindowMessageQueue messages;
    messages.DoEvents();
    for (std::uint32_t ahead : {1u, 2u, 6u}) {
        const std::uint32_t start = messages.GetTickCount();
        messages.waitForMessage(start + ahead);
        EXPECT_GE(messages.GetTickCount() - start, ahead);
    }
}

TEST(WindowMessageQueue, AMessageEndsTheWaitBeforeTheTick)
{
    platform::WindowMessageQueue messages;
    Receiver receiver;
    messages.DoEvents();
    const std::uint32_t farAhead = messages.GetTickCount() + 60'000;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));

    messages.waitForMessage(farAhead);

    EXPECT_EQ(receiver.received, 1) << "handled while waiting";
    EXPECT_LT(static_cast<std::int32_t>(messages.GetTickCount() - farAhead), 0);
}

TEST(WindowMessageQueue, ATickAlreadyPastEndsTheWaitAtOnce)
{
    platform::WindowMessageQueue messages;
    Receiver receiver;
    const std::uint32_t now = messages.GetTickCount();
    for (const std::uint32_t tick : {now, now - 1, now - 0x7FFFFFFFu}) {
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        messages.waitForMessage(tick);
        EXPECT_EQ(receiver.received, 0) << "returned without waiting for anything; tick " << tick;
        messages.DoEvents();
        receiver.received = 0;
    }
}

} // namespace
