// The star field's set-up and the reset of a star.

#include "fake_starfield_window.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <stdexcept>

namespace {

using namespace starfield;

class Starfield : public testing::Test {
protected:
    Starfield() { clearStarfield(); }
};

struct SurfaceCase {
    QSize inner;
    std::int32_t centerX;
    std::int32_t centerY;
    std::int32_t maxDist;
    float colorScale;
};

class SurfaceSizes : public Starfield, public testing::WithParamInterface<SurfaceCase> {};

TEST_P(SurfaceSizes, GiveTheCentreMaxDistAndColorScale)
{
    const SurfaceCase& row = GetParam();
    FakeStarfieldWindow fake(row.inner);
    SetUpStarfield(fake.window());

    EXPECT_EQ(CenterX, row.centerX);
    EXPECT_EQ(CenterY, row.centerY);
    EXPECT_EQ(MaxDist, row.maxDist);
    EXPECT_EQ(ColorScale, row.colorScale);
}

INSTANTIATE_TEST_SUITE_P(Starfield, SurfaceSizes,
    testing::Values(
        // 47.5 rounds to even; 159 x 1.33333 is 211.99947
        SurfaceCase{{318, 95}, 159, 48, 212, 3.6226416f},
        // 46.5 rounds to even; 158 x 1.33333 is 210.66614
        SurfaceCase{{316, 93}, 158, 46, 211, 3.6398103f},
        // 160 x 1.33333 is 213.3328
        SurfaceCase{{320, 95}, 160, 48, 213, 768.0f / 213},
        // 2.5 rounds to even; 2 x 1.33333 is 2.66666
        SurfaceCase{{5, 95}, 2, 48, 3, 256.0f}));

TEST_F(Starfield, SetUpShowsTheFormAndHandlesItsMessagesBeforeMeasuringTheSurface)
{
    FakeStarfieldWindow fake;
    SetUpStarfield(fake.window());

    ASSERT_GE(fake.journal.size(), 3u);
    EXPECT_EQ(fake.journal[0], "Show modeless");
    EXPECT_EQ(fake.journal[1], "DoEvents");
    EXPECT_EQ(fake.journal[2], "Measure");
    EXPECT_EQ(std::count(fake.journal.begin(), fake.journal.end(), "Show modeless"), 1);
    EXPECT_EQ(std::count(fake.journal.begin(), fake.journal.end(), "DoEvents"), 1);
    EXPECT_EQ(std::count(fake.journal.begin(), fake.journal.end(), "Refresh"), 0) << "nothing is drawn yet";
}

TEST_F(Starfield, SetUpMakes400FreshStarsAndLeavesTheRestZero)
{
    FakeStarfieldWindow fake;
    SetUpStarfield(fake.window());

    EXPECT_EQ(StarCount, 400);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(SpinStep), 0x358637BDu);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(SpeedGrowth), 0x3F800054u);
    bool someSpeedBelow1 = false;
    bool someSpeedAbove1 = false;
    for (std::int32_t i = 0; i < 400; ++i) {
        const Star& star = Stars(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(star.Dist, star.StartDist);
        EXPECT_GE(star.StartDist, 0.0f);
        EXPECT_LE(star.StartDist, MaxDist / 5.0f);
        EXPECT_GE(star.Theta, 0.0f);
        EXPECT_LE(star.Theta, 6.283185307f);
        for (const float base : {star.Red, star.Green, star.Blue}) {
            EXPECT_GE(base, 0.0f);
            EXPECT_LT(base, 1.0f);
        }
        EXPECT_GT(star.Speed, 0.99f);
        EXPECT_LT(star.Speed, 1.01f);
        someSpeedBelow1 |= star.Speed < 1;
        someSpeedAbove1 |= star.Speed > 1;
        EXPECT_EQ(star.PlotX, 0);
        EXPECT_EQ(star.PlotY, 0);
    }
    EXPECT_TRUE(someSpeedBelow1 && someSpeedAbove1) << "the speeds are jittered both ways";

    using Bytes = std::array<std::byte, sizeof(Star)>;
    for (std::int32_t i = 400; i < StarArray::kSize; ++i)
        ASSERT_EQ(std::bit_cast<Bytes>(Stars(i)), Bytes{}) << "record " << i;
}

// The generator replays its numbers from a seed, so the test knows each number a reset draws.
std::array<double, 8> numbersAfterSeed(std::uint64_t seed)
{
    platform::Randomize(seed);
    std::array<double, 8> numbers{};
    for (double& number : numbers)
        number = platform::Rnd();
    platform::Randomize(seed);
    return numbers;
}

TEST_F(Starfield, ResetDrawsColourDirectionStartAndTheTwoJittersInThatOrder)
{
    MaxDist = 212;
    const std::array<double, 8> r = numbersAfterSeed(20130);
    ResetStar(7, true);

    const Star& star = Stars(7);
    EXPECT_EQ(star.Red, r[0]);
    EXPECT_EQ(star.Green, r[1]);
    EXPECT_EQ(star.Blue, r[2]);
    EXPECT_EQ(star.Theta, static_cast<float>(r[3] * 6.283185307));
    EXPECT_EQ(star.StartDist, static_cast<float>(r[4] * 212 / 5));
    EXPECT_EQ(star.Dist, star.StartDist);
    EXPECT_EQ(star.Speed, static_cast<float>((r[5] / 100 + 1) - r[6] / 100));
    EXPECT_EQ(platform::Rnd(), r[7]) << "a reset with jitter draws seven numbers";
}

TEST_F(Starfield, ResetWithoutJitterGivesSpeedExactly1AndLeavesThePlotPlace)
{
    MaxDist = 212;
    Star& star = Stars(3);
    star = {100, 1, 0.5f, 0.1f, 0.2f, 0.3f, 90, 17, -3};
    const std::array<double, 8> r = numbersAfterSeed(7);
    ResetStar(3, false);

    EXPECT_EQ(star.Speed, 1.0f);
    EXPECT_EQ(star.PlotX, 17);
    EXPECT_EQ(star.PlotY, -3);
    EXPECT_EQ(star.Red, r[0]);
    EXPECT_EQ(star.StartDist, static_cast<float>(r[4] * 212 / 5));
    EXPECT_EQ(star.Dist, star.StartDist);
    EXPECT_EQ(platform::Rnd(), r[5]) << "a reset without jitter draws five numbers";
}

TEST_F(Starfield, AnIndexOutsideTheArrayThrowsAndTouchesNothing)
{
    MaxDist = 212;
    Stars(9999).Dist = 5;
    FakeStarfieldWindow fake;
    const std::array<double, 8> r = numbersAfterSeed(1);
    for (const std::int32_t index : {-1, 10000, INT_MIN, INT_MAX}) {
        EXPECT_THROW(ResetStar(index, true), std::out_of_range) << index;
        EXPECT_THROW(StarStep(index, fake.picture), std::out_of_range) << index;
    }
    EXPECT_EQ(Stars(9999).Dist, 5.0f);
    EXPECT_EQ(Stars(0).Dist, 0.0f);
    EXPECT_EQ(platform::Rnd(), r[0]) << "nothing was drawn";
}

} // namespace
