// What reaches the sound card, caught by SDL's disk driver, which writes the audio thread's
// buffers to a file byte for byte.

#include "platform/music_service.h"

#include "music_samples.h"
#include "temp_folder.h"

#include <libopenmpt/libopenmpt.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

namespace {

using platform::AudioOutput;
using platform::MusicPlayer;
using platform::MusicService;

constexpr std::size_t kBytesPerFrame = kChannels * sizeof(std::int16_t);

enum class Pace { RealTime, FlatOut };

/// Points SDL's disk driver at a file of its own for one test.
class DiskOutput {
public:
    explicit DiskOutput(Pace pace, std::string_view folder = ".")
        : m_file(m_temp / folder / "output.raw")
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
        // Unset, the driver waits a buffer's length after each buffer, as a sound card would.
        if (pace == Pace::RealTime)
            unsetenv("SDL_DISKAUDIODELAY");
        else
            setenv("SDL_DISKAUDIODELAY", "0", 1);
    }

    const std::filesystem::path& file() const { return m_file; }

    std::size_t framesWritten() const
    {
        std::error_code noFileYet;
        const auto size = std::filesystem::file_size(m_file, noFileYet);
        return noFileYet ? 0 : static_cast<std::size_t>(size) / kBytesPerFrame;
    }

    /// Waits until the file holds `frames` frames; false if that has not happened in 30 s.
    bool waitFor(std::size_t frames) const
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (framesWritten() < frames) {
            if (std::chrono::steady_clock::now() > giveUp)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    /// All that was written; read once the output is closed.
    Samples samples() const
    {
        const std::string bytes = readBytes(m_file);
        Samples samples(bytes.size() / sizeof(std::int16_t));
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(std::int16_t));
        return samples;
    }

private:
    TempFolder m_temp;
    std::filesystem::path m_file;
};

/// The first audio-thread buffer, from `fromFrame` on, where `wanted` starts; the player only ever
/// changes songs between buffers.
std::optional<std::size_t> findFrames(const Samples& stream, std::span<const std::int16_t> wanted,
                                      std::size_t fromFrame = 0)
{
    const std::size_t frames = wanted.size() / kChannels;
    const std::size_t streamFrames = stream.size() / kChannels;
    for (std::size_t at = fromFrame / kBufferFrames * kBufferFrames; at + frames <= streamFrames; at += kBufferFrames) {
        if (std::ranges::equal(framesOf(stream, at, frames), wanted))
            return at;
    }
    return std::nullopt;
}

std::size_t firstSoundingBuffer(const Samples& stream)
{
    std::size_t at = 0;
    while ((at + kBufferFrames) * kChannels <= stream.size() && isSilent(framesOf(stream, at, kBufferFrames)))
        at += kBufferFrames;
    return at;
}

TEST(MusicOutput, CarriesTheTuneAs48000FramesOfStereo16BitSamplesASecond)
{
    DiskOutput disk(Pace::RealTime);
    MusicPlayer player;
    ASSERT_TRUE(player.play(theTune()));
    std::string whyNot;
    {
        auto output = AudioOutput::open(player, whyNot);
        ASSERT_TRUE(output) << whyNot;
        ASSERT_TRUE(disk.waitFor(kFramesPerSecond / 4));
        const auto start = std::chrono::steady_clock::now();
        const std::size_t startFrames = disk.framesWritten();
        ASSERT_TRUE(disk.waitFor(startFrames + kFramesPerSecond));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        // Printed, not judged: how fast the driver took the bytes, for the record.
        const auto bytes = static_cast<double>((disk.framesWritten() - startFrames) * kBytesPerFrame);
        RecordProperty("bytes_per_second", static_cast<int>(bytes / elapsed.count()));
    }

    // After what silence SDL writes before the device is started, the file holds the tune's first
    // second as 192000 bytes of the renderer's 16-bit stereo at 48000 frames a second, nothing of
    // it lost or changed on the way.
    const Samples firstSecond = renderTune(kFramesPerSecond);
    EXPECT_TRUE(findFrames(disk.samples(), firstSecond));
    EXPECT_GT(peakOf(firstSecond), 1000);
}

struct OutputVolumeCase {
    unsigned volume;
    double gain;
};

void PrintTo(const OutputVolumeCase& row, std::ostream* out)
{
    *out << "volume " << row.volume;
}

class MusicOutputVolume : public testing::TestWithParam<OutputVolumeCase> {};

TEST_P(MusicOutputVolume, ReachesTheOutput)
{
    const auto [volume, gain] = GetParam();
    constexpr std::size_t kFrames = 2 * kFramesPerSecond;
    DiskOutput disk(Pace::FlatOut);
    {
        MusicService music;
        music.setVolume(volume);
        ASSERT_TRUE(music.playSong(1, 0, 0));
        ASSERT_TRUE(disk.waitFor(kFramesPerSecond + kFrames));
    }
    const Samples heard = disk.samples();
    const Samples unity = renderTune(kFrames);

    if (gain == 0.0) {
        EXPECT_TRUE(isSilent(heard));
    } else if (gain == 1.0) {
        EXPECT_TRUE(findFrames(heard, unity)) << "sample for sample the tune at full volume";
    } else {
        const std::size_t start = firstSoundingBuffer(heard);
        ASSERT_LE((start + kFrames) * kChannels, heard.size());
        EXPECT_NEAR(static_cast<double>(peakOf(framesOf(heard, start, kFrames))) / peakOf(unity), gain, 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(Volume, MusicOutputVolume,
                         testing::Values(OutputVolumeCase{0, 0.0}, OutputVolumeCase{40, 1.0},
                                         OutputVolumeCase{12, 0.48}),
                         [](const auto& info) { return "Volume" + std::to_string(info.param.volume); });

TEST(MusicOutput, LoopsBackToTheRestartPositionWithoutAGap)
{
    const auto tune = theTune();
    std::ostringstream log;
    openmpt::module module(tune.data(), tune.size(), log);
    const double length = module.get_duration_seconds();
    const std::int32_t restartOrder = tune[66] | tune[67] << 8;
    const double restart = module.set_position_order_row(restartOrder, 0);
    ASSERT_GT(restart, 0.0);
    const auto frameAt = [](double seconds) {
        return static_cast<std::size_t>(std::lround(seconds * kFramesPerSecond));
    };

    DiskOutput disk(Pace::FlatOut);
    {
        MusicService music;
        ASSERT_TRUE(music.playSong(1, 0, 0));
        ASSERT_TRUE(disk.waitFor(frameAt(length + 5.0)));
    }
    const Samples heard = disk.samples();
    const auto start = findFrames(heard, renderTune(kFramesPerSecond));
    ASSERT_TRUE(start);
    ASSERT_LE((*start + frameAt(length + 3.0)) * kChannels, heard.size());

    // No stretch of silence, not even 20 ms, from the first note to well past the end.
    const std::size_t window = frameAt(0.02);
    for (std::size_t at = *start; at + window <= *start + frameAt(length + 3.0); at += window)
        ASSERT_GT(peakOf(framesOf(heard, at, window)), 100)
            << "silent at " << static_cast<double>(at - *start) / kFramesPerSecond << " s";

    // A second past the end it sounds as a second past the restart position did (by then every
    // note held over the loop has ended).
    const auto afterEnd = framesOf(heard, *start + frameAt(length + 1.0), kFramesPerSecond);
    const auto afterRestart = framesOf(heard, *start + frameAt(restart + 1.0), kFramesPerSecond);
    int largestDifference = 0;
    for (std::size_t i = 0; i < afterEnd.size(); ++i)
        largestDifference = std::max(largestDifference, std::abs(afterEnd[i] - afterRestart[i]));
    EXPECT_LE(largestDifference, 2);
    EXPECT_GT(peakOf(afterEnd), 1000);
}

TEST(MusicOutput, PlayingAgainStartsTheTuneOverFromItsFirstNoteOnTheSameDevice)
{
    // At the sound card's pace, so that the song playing is well under way when it is replaced.
    DiskOutput disk(Pace::RealTime);
    std::size_t replayedAt = 0;
    {
        MusicService music;
        ASSERT_TRUE(music.playSong(1, 0, 0));
        ASSERT_TRUE(disk.waitFor(3 * kFramesPerSecond / 2));
        replayedAt = disk.framesWritten();
        ASSERT_TRUE(music.playSong(1, 0, 0));
        ASSERT_TRUE(disk.waitFor(replayedAt + 3 * kFramesPerSecond / 2));
    }
    const Samples heard = disk.samples();
    const Samples firstSecond = renderTune(kFramesPerSecond);

    const auto first = findFrames(heard, firstSecond);
    ASSERT_TRUE(first) << "the first play, still in the file: the device was not opened again";
    const auto again = findFrames(heard, firstSecond, std::max(replayedAt, *first + kBufferFrames));
    ASSERT_TRUE(again) << "the first second after the restart equals the first second of the output";
    EXPECT_GE(*again, *first + kFramesPerSecond);
}

struct SilentCase {
    std::string name;
    std::function<bool(MusicService&)> play;
};

void PrintTo(const SilentCase& row, std::ostream* out)
{
    *out << row.name;
}

class MusicOutputSilence : public testing::TestWithParam<SilentCase> {};

/// Where the output is silent from, once the song was stopped when `framesWritten` frames were in
/// the file: the driver may hold one buffer back and the audio thread be inside the next.
std::size_t silentFrom(std::size_t framesWritten)
{
    return framesWritten + 2 * kBufferFrames;
}

TEST_P(MusicOutputSilence, WhenTheSongCannotBePlayedTheTuneStopsAndNothingTakesItsPlace)
{
    DiskOutput disk(Pace::FlatOut);
    std::size_t stoppedAt = 0;
    {
        MusicService music;
        ASSERT_TRUE(music.playSong(1, 0, 0));
        ASSERT_TRUE(disk.waitFor(kFramesPerSecond));
        EXPECT_FALSE(GetParam().play(music));
        // Read only once the call has returned: a driver writing flat out may have written any
        // number of buffers while the call ran, all of them still the tune.
        stoppedAt = disk.framesWritten();
        EXPECT_FALSE(music.isPlaying());
        ASSERT_TRUE(disk.waitFor(stoppedAt + 2 * kFramesPerSecond));
    }
    const Samples heard = disk.samples();
    EXPECT_GT(peakOf(framesOf(heard, 0, stoppedAt)), 1000);
    EXPECT_TRUE(isSilent(framesOf(heard, silentFrom(stoppedAt), kFramesPerSecond)));
}

const int kSomeOtherModule = 0;

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicOutputSilence,
    testing::Values(SilentCase{"MissingSong", [](MusicService& music) { return music.playSong(99, 0, 0); }},
                    SilentCase{"SongNamedByText", [](MusicService& music) { return music.playSong(u"1", 0, 0); }},
                    SilentCase{"SongOfAnotherModule",
                               [](MusicService& music) { return music.playSong(1, &kSomeOtherModule, 0); }},
                    SilentCase{"NoLoopFlag", [](MusicService& music) { return music.playSong(1, 0, 8); }}),
    [](const auto& info) { return info.param.name; });

TEST(MusicOutput, AModuleOfGarbageStopsTheTuneAndIsSilence)
{
    DiskOutput disk(Pace::FlatOut);
    MusicPlayer player;
    ASSERT_TRUE(player.play(theTune()));
    std::size_t stoppedAt = 0;
    {
        std::string whyNot;
        auto output = AudioOutput::open(player, whyNot);
        ASSERT_TRUE(output) << whyNot;
        ASSERT_TRUE(disk.waitFor(kFramesPerSecond));
        std::vector<std::uint8_t> garbage(12000);
        for (std::size_t i = 0; i < garbage.size(); ++i)
            garbage[i] = static_cast<std::uint8_t>(i * 7919 % 251);
        EXPECT_FALSE(player.play(garbage));
        stoppedAt = disk.framesWritten();
        ASSERT_TRUE(disk.waitFor(stoppedAt + 2 * kFramesPerSecond));
    }
    const Samples heard = disk.samples();
    EXPECT_GT(peakOf(framesOf(heard, 0, stoppedAt)), 1000);
    EXPECT_TRUE(isSilent(framesOf(heard, silentFrom(stoppedAt), kFramesPerSecond)));
}

TEST(MusicOutput, WithoutADeviceTheCallsStaySafeAndTheNextPlayTriesAgain)
{
    // The disk driver cannot open its file in a folder that is not there yet.
    DiskOutput disk(Pace::FlatOut, "later");
    {
        MusicService music;
        EXPECT_TRUE(music.playSong(1, 0, 0)) << "the song is there; the card is looked for later";
        music.waitUntilSettled();
        EXPECT_FALSE(music.isPlaying());
        music.setVolume(25);

        std::filesystem::create_directory(disk.file().parent_path());
        EXPECT_TRUE(music.playSong(1, 0, 0));
        music.waitUntilSettled();
        EXPECT_TRUE(music.isPlaying());
        ASSERT_TRUE(disk.waitFor(2 * kFramesPerSecond));
    }
    EXPECT_TRUE(findFrames(disk.samples(), renderTune(kFramesPerSecond)));
}

TEST(MusicOutput, APlayThatCannotBeCarriedOutStopsTheSongStillLoading)
{
    DiskOutput disk(Pace::FlatOut);
    MusicService music;
    // A load takes some milliseconds: the second call comes before the music thread takes the
    // first, while it loads it, or after it started it.
    for (int round = 0; round < 24; ++round) {
        ASSERT_TRUE(music.playSong(1, 0, 0));
        std::this_thread::sleep_for(std::chrono::microseconds(250 * round));
        EXPECT_FALSE(music.playSong(99, 0, 0));
        music.waitUntilSettled();
        ASSERT_FALSE(music.isPlaying()) << "round " << round;
    }
    ASSERT_TRUE(music.playSong(1, 0, 0));
    music.waitUntilSettled();
    EXPECT_TRUE(music.isPlaying());
}

TEST(MusicOutput, LeavesTheProgramsSignalsAlone)
{
    DiskOutput disk(Pace::FlatOut);
    MusicPlayer player;
    std::string whyNot;
    const auto output = AudioOutput::open(player, whyNot);
    ASSERT_TRUE(output) << whyNot;
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "Ctrl-C and kill still end the program: signal " << signal;
    }
}

} // namespace
