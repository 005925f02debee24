#include "platform/random.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace {

template <std::size_t count>
std::array<float, count> draw()
{
    std::array<float, count> numbers{};
    for (float& number : numbers)
        number = platform::Rnd();
    return numbers;
}

TEST(Rnd, GivesNumbersFrom0UpToButNot1SpreadOverTheRange)
{
    platform::Randomize(2013);
    std::array<int, 10> perTenth{};
    for (const float number : draw<100000>()) {
        ASSERT_GE(number, 0.0f);
        ASSERT_LT(number, 1.0f);
        ++perTenth[static_cast<std::size_t>(number * 10)];
    }
    for (const int count : perTenth)
        EXPECT_NEAR(count, 10000, 500);
}

TEST(Randomize, TheSameSeedReplaysTheSameNumbersAndAnotherDoesNot)
{
    platform::Randomize(42);
    const auto first = draw<16>();
    platform::Randomize(42);
    EXPECT_EQ(draw<16>(), first);
    platform::Randomize(43);
    EXPECT_NE(draw<16>(), first);
}

TEST(Randomize, ReseedsFromTheClockWithoutReplayingEvenWithinOneReading)
{
    std::set<std::array<float, 4>> sequences;
    for (int i = 0; i < 100; ++i) {
        platform::Randomize(42);
        for (int again = 0; again < 3; ++again) {
            platform::Randomize();
            sequences.insert(draw<4>());
        }
    }
    platform::Randomize(42);
    sequences.insert(draw<4>());

    EXPECT_EQ(sequences.size(), 301u) << "every re-seed gives numbers of its own";
}

} // namespace
