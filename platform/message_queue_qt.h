#pragma once
// The message queue of the program's windows: Qt's event loop, with a timer that wakes it at a
// tick.

#include "platform/message_queue.h"

#include <QSocketNotifier>

namespace platform {

class WindowMessageQueue final : public MessageQueue {
public:
    WindowMessageQueue();
    ~WindowMessageQueue();
    WindowMessageQueue(const WindowMessageQueue&) = delete;
    WindowMessageQueue& operator=(const WindowMessageQueue&) = delete;

    void DoEvents() override;
    std::uint32_t GetTickCount() override;
    void waitForMessage(std::uint32_t tick) override;

private:
    // A kernel timer rather than a QTimer: it wakes the loop at the very start of the tick, where
    // Qt's timers count in whole milliseconds from when they are started, and re-arming it
    // allocates nothing.
    int m_timer;
    QSocketNotifier m_timerExpired;
};

} // namespace platform
