// The tune that ships in the program: a sound XM module that the renderer takes without a remark.

#include "platform/xm_module.h"

#include "music_samples.h"

#include <libopenmpt/libopenmpt.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string_view>

namespace {

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::string_view textAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size)
{
    return {reinterpret_cast<const char*>(bytes.data() + offset), size};
}

TEST(MusicModule, IsASmallXmModuleWhoseDeclaredPartsAllFit)
{
    const auto tune = theTune();
    EXPECT_LE(tune.size(), 24u * 1024u);
    EXPECT_TRUE(platform::isWholeXmModule(tune));

    EXPECT_EQ(textAt(tune, 0, 17), "Extended Module: ");
    EXPECT_EQ(tune[37], 0x1A);
    EXPECT_EQ(wordAt(tune, 58), 0x0104);
    // Our own tracker name: the renderer takes a file that claims FastTracker 2 or ModPlug for theirs
    // and mixes it by their rules.
    EXPECT_FALSE(textAt(tune, 38, 20).starts_with("FastTracker"));
    EXPECT_FALSE(textAt(tune, 38, 20).starts_with("ModPlug"));

    const std::uint16_t songLength = wordAt(tune, 64);
    const std::uint16_t channels = wordAt(tune, 68);
    const std::uint16_t patterns = wordAt(tune, 70);
    EXPECT_LT(wordAt(tune, 66), songLength) << "the restart position lies inside the song";
    EXPECT_GE(channels, 4);
    EXPECT_EQ(channels % 2, 0) << "an even number of channels";
    for (std::size_t order = 0; order < songLength; ++order)
        EXPECT_LT(tune[80 + order], patterns) << "order " << order;
}

TEST(MusicModule, LoadsWithoutWarningsAndLastsAtLeast32SecondsBeforeItRepeats)
{
    const auto tune = theTune();
    std::ostringstream log;
    const openmpt::module module(tune.data(), tune.size(), log);
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(module.get_metadata("warnings"), "");
    EXPECT_GE(module.get_duration_seconds(), 32.0);
}

TEST(MusicModule, PeaksWellBelowClippingOverItsWholeLength)
{
    const auto tune = theTune();
    std::ostringstream log;
    const openmpt::module module(tune.data(), tune.size(), log);
    const auto frames = static_cast<std::size_t>(module.get_duration_seconds() * kFramesPerSecond);

    const Samples song = renderTune(frames);
    EXPECT_LE(peakOf(song), 32767 / 2) << "6 dB of headroom";
    EXPECT_GT(peakOf(song), 32767 / 8) << "not so quiet that it is lost";
}

} // namespace
