// What the audio thread spends on the music: one second of the tune, rendered as the thread asks
// for it, in buffers of 1024 frames at the full volume the program sets and at a lower one.

#include "platform/audio_output.h"
#include "platform/music_player.h"
#include "platform/resources.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <span>
#include <vector>

namespace {

void renderOneSecondOfTheTune(benchmark::State& state)
{
    platform::MusicPlayer player;
    player.setVolume(static_cast<unsigned>(state.range(0)));
    if (!player.play(*platform::LoadResource(platform::RT_RCDATA, 1))) {
        state.SkipWithError("the tune did not load");
        return;
    }
    constexpr int kFrames = platform::AudioOutput::kFramesPerBuffer;
    std::vector<std::int16_t> buffer(kFrames * platform::MusicPlayer::kChannels);
    for (auto _ : state) {
        // The song loops, so the iterations go round all of it.
        for (int frames = 0; frames < platform::MusicPlayer::kSampleRate; frames += kFrames) {
            const int now = std::min(kFrames, platform::MusicPlayer::kSampleRate - frames);
            player.render(std::span(buffer).first(static_cast<std::size_t>(now * platform::MusicPlayer::kChannels)));
            benchmark::DoNotOptimize(buffer.data());
        }
    }
}
BENCHMARK(renderOneSecondOfTheTune)->Arg(25)->Arg(12)->Unit(benchmark::kMillisecond);

} // namespace
