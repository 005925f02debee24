#pragma once
// The tick count: milliseconds of a monotonic clock, as a 32-bit count that wraps.

#include <chrono>
#include <cstdint>

namespace platform {

/// The tick count `sinceStart` after the clock's start: whole milliseconds, modulo 2^32, so it
/// passes 2^31 after about 24.9 days and wraps to 0 after about 49.7 days.
constexpr std::uint32_t tickCountAt(std::chrono::steady_clock::duration sinceStart)
{
    return static_cast<std::uint32_t>(std::chrono::floor<std::chrono::milliseconds>(sinceStart).count());
}

/// Milliseconds since the monotonic clock started (system start on Linux), wrapping at 2^32.
std::uint32_t GetTickCount();

} // namespace platform
