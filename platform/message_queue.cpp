#include "platform/message_queue_qt.h"

#include "platform/clock.h"
#include "platform/forms.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <sys/timerfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

namespace platform {

WindowMessageQueue::WindowMessageQueue()
    : m_timer(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
    , m_timerExpired(QSocketNotifier::Read)
{
    if (m_timer >= 0) {
        m_timerExpired.setSocket(m_timer);
        m_timerExpired.setEnabled(true);
    }
    QObject::connect(&m_timerExpired, &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const ssize_t read = ::read(m_timer, &expirations, sizeof expirations);
    });
}

WindowMessageQueue::~WindowMessageQueue()
{
    m_timerExpired.setEnabled(false);
    if (m_timer >= 0)
        ::close(m_timer);
}

void WindowMessageQueue::DoEvents()
{
    platform::DoEvents();
}

std::uint32_t WindowMessageQueue::GetTickCount()
{
    return platform::GetTickCount();
}

void WindowMessageQueue::waitForMessage(std::uint32_t tick)
{
    using namespace std::chrono;
    const steady_clock::duration now = steady_clock::now().time_since_epoch();
    const auto ticksToGo = static_cast<std::int32_t>(tick - tickCountAt(now));
    // Without a timer the caller's loop goes on polling: slower on the processor, same frames.
    if (ticksToGo <= 0 || m_timer < 0)
        return;

    // The tick count reaches `tick` at the start of that millisecond of the steady clock. The
    // timer counts from a moment after `now` was read, so it never rings early.
    const nanoseconds wait = floor<milliseconds>(now) + milliseconds(ticksToGo) - now;
    itimerspec ring{};
    ring.it_value.tv_sec = static_cast<time_t>(duration_cast<seconds>(wait).count());
    ring.it_value.tv_nsec = static_cast<long>((wait % seconds(1)).count());
    if (timerfd_settime(m_timer, 0, &ring, nullptr) != 0)
        return;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace platform
