#include "platform/clock.h"

namespace platform {

std::uint32_t GetTickCount()
{
    return tickCountAt(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace platform
