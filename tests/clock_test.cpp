#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

struct TickCase {
    std::chrono::steady_clock::duration sinceStart;
    std::uint32_t tick;
};

TEST(TickCount, CountsWholeMillisecondsAndWrapsAt2To32)
{
    const TickCase cases[] = {
        {nanoseconds(0), 0},
        {nanoseconds(999'999), 0},
        {milliseconds(1), 1},
        {milliseconds(1005) + nanoseconds(999'999), 1005},
        {milliseconds(0x7FFFFFFFLL), 0x7FFFFFFFu},
        {milliseconds(0x80000000LL), 0x80000000u}, // about 24.9 days: still counting up
        {milliseconds(0xFFFFFFFFLL), 0xFFFFFFFFu},
        {milliseconds(0x100000000LL), 0},          // about 49.7 days: back to 0
        {milliseconds(0x100000005LL), 5},
    };
    for (const TickCase& row : cases)
        EXPECT_EQ(platform::tickCountAt(row.sinceStart), row.tick) << row.sinceStart.count() << " ns";
}

TEST(TickCount, ReadsTheSteadyClock)
{
    const std::uint32_t before = platform::tickCountAt(std::chrono::steady_clock::now().time_since_epoch());
    const std::uint32_t tick = platform::GetTickCount();
    const std::uint32_t after = platform::tickCountAt(std::chrono::steady_clock::now().time_since_epoch());

    EXPECT_LE(tick - before, after - before);
}

} // namespace
