#include "platform/music_player.h"

#include "music_samples.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::MusicPlayer;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kTwoSeconds = 2 * kFramesPerSecond;

TEST(MusicPlayer, IsSilentUntilASongPlaysAndAfterItStops)
{
    MusicPlayer player;
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(isSilent(renderFrames(player, kFramesPerSecond)));

    ASSERT_TRUE(player.play(theTune()));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_GT(peakOf(renderFrames(player, kFramesPerSecond)), 1000);

    player.stop();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(isSilent(renderFrames(player, kFramesPerSecond)));
}

struct VolumeCase {
    unsigned volume;
    double gain; ///< of the amplitude, against the song as written
};

void PrintTo(const VolumeCase& row, std::ostream* out)
{
    *out << "volume " << row.volume;
}

class MusicVolume : public testing::TestWithParam<VolumeCase> {};

TEST_P(MusicVolume, ScalesTheAmplitudeLinearlyUpTo25)
{
    const auto [volume, gain] = GetParam();
    const Samples unity = renderTune(kTwoSeconds);

    MusicPlayer player;
    player.setVolume(volume);
    ASSERT_TRUE(player.play(theTune()));
    const Samples heard = renderFrames(player, kTwoSeconds);

    if (gain == 0.0)
        EXPECT_TRUE(isSilent(heard));
    else if (gain == 1.0)
        EXPECT_EQ(heard, unity);
    else
        EXPECT_NEAR(static_cast<double>(peakOf(heard)) / peakOf(unity), gain, 0.002);
}

INSTANTIATE_TEST_SUITE_P(Scale, MusicVolume,
                         testing::Values(VolumeCase{0, 0.0}, VolumeCase{1, 0.04}, VolumeCase{12, 0.48},
                                         VolumeCase{13, 0.52}, VolumeCase{24, 0.96}, VolumeCase{25, 1.0},
                                         VolumeCase{26, 1.0}, VolumeCase{40, 1.0}, VolumeCase{UINT_MAX, 1.0}),
                         [](const auto& info) { return "Volume" + std::to_string(info.param.volume); });

TEST(MusicPlayer, TheVolumeHoldsForTheSongPlayingAndLaterOnes)
{
    MusicPlayer player;
    player.setVolume(0); // before any song
    ASSERT_TRUE(player.play(theTune()));
    EXPECT_TRUE(isSilent(renderFrames(player, kFramesPerSecond)));
    ASSERT_TRUE(player.play(theTune()));
    EXPECT_TRUE(isSilent(renderFrames(player, kFramesPerSecond)));

    player.setVolume(25); // while it plays
    EXPECT_GT(peakOf(renderFrames(player, kFramesPerSecond)), 1000);
}

Bytes tuneWith(const std::function<void(Bytes&)>& change)
{
    const auto tune = theTune();
    Bytes bytes(tune.begin(), tune.end());
    change(bytes);
    return bytes;
}

Bytes garbage(std::size_t size)
{
    Bytes bytes(size);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

Bytes textBytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

struct BadModule {
    std::string name;
    Bytes bytes;
};

void PrintTo(const BadModule& row, std::ostream* out)
{
    *out << row.name;
}

class MusicPlayerBadModule : public testing::TestWithParam<BadModule> {};

TEST_P(MusicPlayerBadModule, IsRefusedAndLeavesTheMusicStopped)
{
    MusicPlayer player;
    ASSERT_TRUE(player.play(theTune()));

    EXPECT_FALSE(player.play(GetParam().bytes));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(isSilent(renderFrames(player, kFramesPerSecond)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicPlayerBadModule,
    testing::Values(
        BadModule{"Empty", {}},
        BadModule{"Garbage", garbage(12000)},
        BadModule{"Text", textBytes("[Settings]\r\nLanguage=English\r\n")},
        BadModule{"CutInTheHeader", tuneWith([](Bytes& b) { b.resize(100); })},
        BadModule{"CutInThePatterns", tuneWith([](Bytes& b) { b.resize(1000); })},
        BadModule{"OneByteOfSampleDataShort", tuneWith([](Bytes& b) { b.pop_back(); })},
        BadModule{"OlderFormatVersion", tuneWith([](Bytes& b) { b[58] = 0x03; })},
        BadModule{"HeaderSizePastTheEnd", tuneWith([](Bytes& b) { b[63] = 0x7F; })},
        BadModule{"FirstPatternPastTheEnd", tuneWith([](Bytes& b) { b[336 + 8] = 0xFF; })}),
    [](const auto& info) { return info.param.name; });

} // namespace
