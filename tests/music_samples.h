#pragma once
// What the music tests share: the program's tune, rendering it as the audio thread does, and
// measuring what came out.

#include "platform/audio_output.h"
#include "platform/music_player.h"
#include "platform/resources.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>
#include <stdexcept>
#include <vector>

using Samples = std::vector<std::int16_t>;

// What the sound card is given: 48000 frames a second of 16-bit samples for left and right.
constexpr std::size_t kFramesPerSecond = 48000;
constexpr std::size_t kChannels = 2;

inline std::span<const std::uint8_t> theTune()
{
    const auto bytes = platform::LoadResource(platform::RT_RCDATA, 1);
    if (!bytes)
        throw std::logic_error("the tune is not compiled into the program");
    return *bytes;
}

// The renderer rounds a little differently for other sizes of buffer, so the references are
// rendered in the audio thread's buffers too.
constexpr std::size_t kBufferFrames = platform::AudioOutput::kFramesPerBuffer;

/// The next `frames` frames of what the player plays.
inline Samples renderFrames(platform::MusicPlayer& player, std::size_t frames)
{
    Samples samples((frames + kBufferFrames - 1) / kBufferFrames * kBufferFrames * kChannels);
    for (std::size_t at = 0; at < samples.size(); at += kBufferFrames * kChannels)
        player.render(std::span(samples).subspan(at, kBufferFrames * kChannels));
    samples.resize(frames * kChannels);
    return samples;
}

/// `frames` frames of the tune from its start as the renderer makes it at full volume, straight
/// from the library: looping, without dither, at 48000 frames a second.
inline Samples renderTune(std::size_t frames)
{
    const auto tune = theTune();
    std::ostringstream log;
    openmpt::module module(tune.data(), tune.size(), log);
    module.set_repeat_count(-1);
    module.ctl_set_integer("dither", 0);
    Samples samples((frames + kBufferFrames - 1) / kBufferFrames * kBufferFrames * kChannels);
    for (std::size_t at = 0; at < samples.size(); at += kBufferFrames * kChannels)
        module.read_interleaved_stereo(static_cast<std::int32_t>(kFramesPerSecond), kBufferFrames, samples.data() + at);
    samples.resize(frames * kChannels);
    return samples;
}

inline int peakOf(std::span<const std::int16_t> samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

inline bool isSilent(std::span<const std::int16_t> samples)
{
    return std::ranges::all_of(samples, [](std::int16_t sample) { return sample == 0; });
}

inline std::span<const std::int16_t> framesOf(const Samples& samples, std::size_t firstFrame, std::size_t frames)
{
    if ((firstFrame + frames) * kChannels > samples.size())
        throw std::out_of_range("fewer frames than the test needs");
    return std::span(samples).subspan(firstFrame * kChannels, frames * kChannels);
}
