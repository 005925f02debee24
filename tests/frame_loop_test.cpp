// The frame loop: the step of one star, the drawing of a frame, and the wait that ends it.

#include "fake_starfield_window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace starfield;

// The surface of the window's layout, set up, with star 0 placed by each test.
class StarStepTest : public testing::Test {
protected:
    StarStepTest()
    {
        clearStarfield();
        SetUpStarfield(fake.window());
        star.PlotX = 5;
        star.PlotY = 6;
        SetPixelV(fake.picture.hDC(), 5, 6, 0xFFFFFF);
    }

    QRgb pixel(std::int32_t x, std::int32_t y) const { return fake.picture.bitmap().pixel(x, y); }

    FakeStarfieldWindow fake;
    Star& star = Stars(0);
};

struct PlotCase {
    const char* name;
    float startDist;
    float dist;
    float theta;
    float red, green, blue;
    std::int32_t plotX, plotY;
    int r, g, b;
};

class StarPlots : public StarStepTest, public testing::WithParamInterface<PlotCase> {};

TEST_P(StarPlots, AtItsPlaceAsBrightAsItsWaySinceTheReset)
{
    const PlotCase& row = GetParam();
    star.StartDist = row.startDist;
    star.Dist = row.dist;
    star.Speed = 1;
    star.Theta = row.theta;
    star.Red = row.red;
    star.Green = row.green;
    star.Blue = row.blue;

    StarStep(0, fake.picture);

    EXPECT_EQ(pixel(5, 6), qRgb(0, 0, 0)) << "the last place is erased to black";
    EXPECT_EQ(star.PlotX, row.plotX);
    EXPECT_EQ(star.PlotY, row.plotY);
    EXPECT_EQ(pixel(row.plotX, row.plotY), qRgb(row.r, row.g, row.b));
    EXPECT_EQ(star.Dist, row.dist) << "a speed of 1 keeps the distance";
    EXPECT_EQ(star.Speed, 1.00001f);
}

// ColorScale is 768/212: brightness L is 3.6226 steps per pixel past the start; a base above one
// half adds 1 to L, a base of exactly one half rounds to the even one of L and L + 1.
INSTANTIATE_TEST_SUITE_P(StarStep, StarPlots,
    testing::Values(
        PlotCase{"TenPixelsPastTheStartL36", 20, 30, 0, 0.25f, 0.75f, 0.5f, 189, 48, 36, 37, 36},
        PlotCase{"L37HalfRoundsUpToEven", 20, 30.25f, 0, 0.25f, 0.75f, 0.5f, 189, 48, 37, 38, 38},
        PlotCase{"L254GivesFullWhereTheBaseIsAboveHalf", 20, 90.125f, 0, 0.6f, 0.3f, 0.5f, 249, 48, 255, 254, 254},
        PlotCase{"HundredPixelsPastTheStartClampsTo255", 20, 120, 0, 0.1f, 0.9f, 0.5f, 279, 48, 255, 255, 255},
        PlotCase{"BehindItsStartClampsTo0", 20, 10, 0, 0.9f, 0.9f, 0.9f, 169, 48, 0, 0, 0},
        // A Theta of minus SpinStep turns to exactly 0, where the cosine is exactly 1.
        PlotCase{"PlaceHalvesRoundToEvenUp", 0, 30.5f, -1e-6f, 0, 0, 0, 190, 48, 110, 110, 110},
        PlotCase{"PlaceHalvesRoundToEvenDown", 0, 31.5f, -1e-6f, 0, 0, 0, 190, 48, 114, 114, 114},
        PlotCase{"AnglesGrowDownwards", 20, 30, 1.5707964f, 0.25f, 0.75f, 0.5f, 159, 78, 36, 37, 36}),
    [](const testing::TestParamInfo<PlotCase>& info) { return info.param.name; });

TEST_F(StarStepTest, AStarAtExactlyMaxDistStays)
{
    star = {212, -1e-6f, 1, 0.5f, 0.5f, 0.5f, 150, 5, 6};
    const QImage before = fake.picture.bitmap().copy();

    StarStep(0, fake.picture);

    EXPECT_EQ(star.Dist, 212.0f);
    EXPECT_EQ(star.StartDist, 150.0f) << "not reset";
    EXPECT_EQ(star.Red, 0.5f);
    EXPECT_EQ(star.PlotX, 159 + 212) << "outside the surface";
    QImage erased = before;
    erased.setPixel(5, 6, qRgb(0, 0, 0));
    EXPECT_EQ(fake.picture.bitmap(), erased) << "a place outside the surface draws nothing";
}

TEST_F(StarStepTest, AStarPastMaxDistStartsAgainAndIsPlottedThereDark)
{
    star = {212, 1, 1.0001f, 0.5f, 0.5f, 0.5f, 150, 5, 6};

    StarStep(0, fake.picture);

    EXPECT_NE(star.StartDist, 150.0f) << "reset";
    EXPECT_EQ(star.Speed, 1.0f);
    EXPECT_EQ(star.Dist, star.StartDist);
    EXPECT_LE(star.StartDist, 212 / 5.0f);
    EXPECT_LE(std::hypot(star.PlotX - 159, star.PlotY - 48), 212 / 5.0 + 1);
    const QRgb plotted = pixel(star.PlotX, star.PlotY);
    EXPECT_EQ(qRed(plotted), std::lrint(star.Red)) << "brightness 0: each component its base rounded";
    EXPECT_EQ(qGreen(plotted), std::lrint(star.Green));
    EXPECT_EQ(qBlue(plotted), std::lrint(star.Blue));
}

TEST_F(StarStepTest, AStarStartingAtTheCentreStaysThereDarkForGood)
{
    star = {0, 0, 1.005f, 0.7f, 0.2f, 0.7f, 0, 5, 6};

    for (int frame = 0; frame < 2000; ++frame) {
        StarStep(0, fake.picture);
        ASSERT_EQ(star.Dist, 0.0f) << frame;
        ASSERT_EQ(star.PlotX, 159);
        ASSERT_EQ(star.PlotY, 48);
    }
    EXPECT_EQ(star.Red, 0.7f) << "never reset";
    EXPECT_EQ(pixel(159, 48), qRgb(1, 0, 1));
}

TEST_F(StarStepTest, ASlowStarDriftsInThenTurnsOutwardsAndNeverGoesNegative)
{
    star = {40, 2, 0.991f, 0.5f, 0.5f, 0.5f, 40, 5, 6};
    bool drewIn = false;
    bool turnedOut = false;
    for (int frame = 0; frame < 5000 && star.StartDist == 40; ++frame) {
        const float speed = star.Speed;
        const float dist = star.Dist;
        const float theta = star.Theta;
        StarStep(0, fake.picture);
        if (star.StartDist != 40)
            break; // passed MaxDist and started again
        ASSERT_GT(star.Dist, 0.0f) << frame;
        ASSERT_GT(star.Theta, theta) << "the ray turns every frame";
        if (speed < 1) {
            ASSERT_LT(star.Dist, dist) << frame;
            ASSERT_FALSE(turnedOut) << "once outwards, always outwards";
            drewIn = true;
        } else {
            ASSERT_GE(star.Dist, dist) << frame;
            turnedOut = true;
        }
    }
    EXPECT_TRUE(drewIn);
    EXPECT_TRUE(turnedOut);
    EXPECT_NE(star.StartDist, 40.0f) << "went on out past MaxDist";
}

TEST(DrawFrame, TakesFrameStartThenDrawsEveryStarBeforeTheRefresh)
{
    clearStarfield();
    FakeStarfieldWindow fake({318, 95}, {1000});
    SetUpStarfield(fake.window());
    fake.journal.clear();
    SetPixelV(fake.picture.hDC(), 0, 0, 0xFFFFFF);

    DrawFrame(fake.window());

    EXPECT_EQ(FrameStart, 1000);
    // The logo step measures the surface to centre the logo; no message is handled while drawing.
    EXPECT_EQ(fake.journal, (Journal{"Tick 1000", "Measure", "Measure", "Refresh"}));
    EXPECT_EQ(fake.picture.shown, fake.picture.bitmap()) << "the refresh shows the whole frame";
    EXPECT_EQ(fake.picture.bitmap().pixel(0, 0), qRgb(0, 0, 0)) << "the first frame erases (0, 0)";
    for (std::int32_t i = 0; i < StarCount; ++i) {
        const Star& star = Stars(i);
        ASSERT_TRUE(star.PlotX != 0 || star.PlotY != 0) << i;
    }
}

struct WaitCase {
    const char* name;
    std::int32_t frameStart;
    std::vector<std::uint32_t> ticks;
    Journal expected;
};

class FrameWaits : public testing::TestWithParam<WaitCase> {};

TEST_P(FrameWaits, HandleMessagesUntilTheTickCountIsMoreThan5PastFrameStart)
{
    const WaitCase& row = GetParam();
    Journal journal;
    FakeMessageQueue messages(journal, row.ticks);
    FrameStart = row.frameStart;

    FrameWait(messages);

    EXPECT_EQ(journal, row.expected);
}

INSTANTIATE_TEST_SUITE_P(FrameWait, FrameWaits,
    testing::Values(
        WaitCase{"GoesOnAt1005AndEndsAt1006", 1000, {1003, 1005, 1006},
                 {"DoEvents", "Tick 1003", "Wait until 1006", "DoEvents", "Tick 1005", "Wait until 1006", "DoEvents",
                  "Tick 1006"}},
        WaitCase{"EndsAtTheFirstTickPastTheEnd", 1000, {1009}, {"DoEvents", "Tick 1009"}},
        WaitCase{"ALateFrameStillHandlesMessagesOnce", 1000, {1250}, {"DoEvents", "Tick 1250"}},
        WaitCase{"GoesOnAcross2To31", 2147483646, {2147483651u, 2147483652u},
                 {"DoEvents", "Tick 2147483651", "Wait until 2147483652", "DoEvents", "Tick 2147483652"}},
        WaitCase{"GoesOnAcrossTheWrapTo0", -2, {3, 4},
                 {"DoEvents", "Tick 3", "Wait until 4", "DoEvents", "Tick 4"}},
        WaitCase{"ALateFrameAcrossTheWrapEnds", -2, {100}, {"DoEvents", "Tick 100"}}),
    [](const testing::TestParamInfo<WaitCase>& info) { return info.param.name; });

} // namespace
