#pragma once
// The window system's message queue and the tick count that times it, as a loop that runs between
// messages uses them. Kept free of Qt so that the loop's rules can be tested with a fake clock.

#include <cstdint>

namespace platform {

class MessageQueue {
public:
    /// Handles every message that is waiting, then returns.
    virtual void DoEvents() = 0;

    /// Milliseconds since the system started, wrapping at 2^32 (clock.h).
    virtual std::uint32_t GetTickCount() = 0;

    /// Sleeps until a message arrives or the tick count reaches `tick`, whichever comes first,
    /// handling what arrives; returns at once when the tick count is already there. Ticks compare
    /// modulo 2^32, so a tick up to 2^31 - 1 ahead counts as still to come.
    virtual void waitForMessage(std::uint32_t tick) = 0;

protected:
    ~MessageQueue() = default;
};

} // namespace platform
