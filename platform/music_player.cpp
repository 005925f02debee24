#include "platform/music_player.h"

#include "platform/xm_module.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <sstream>
#include <utility>

namespace platform {

/// A loaded module and the log it reports to, which must outlive it.
struct MusicPlayer::Song {
    explicit Song(std::span<const std::uint8_t> bytes)
        : module(bytes.data(), bytes.size(), log)
    {
        module.set_repeat_count(-1); // for ever, back to the restart position
        module.ctl_set_integer("dither", 0); // the same song gives the same samples every time
    }

    std::ostringstream log; // keeps the loader's remarks off the terminal
    openmpt::module module;
};

MusicPlayer::MusicPlayer() = default;

MusicPlayer::~MusicPlayer() = default;

void MusicPlayer::setVolume(unsigned volume)
{
    m_volume = std::min(volume, kMaxVolume);
}

bool MusicPlayer::play(std::span<const std::uint8_t> module)
{
    stop();
    if (!isWholeXmModule(module))
        return false;
    std::unique_ptr<Song> song;
    try {
        // Loading takes a while: the audio thread plays silence meanwhile instead of waiting.
        song = std::make_unique<Song>(module);
    } catch (const std::exception&) {
        return false;
    }
    const std::lock_guard lock(m_mutex);
    m_song = std::move(song);
    return true;
}

void MusicPlayer::stop()
{
    std::unique_ptr<Song> old;
    {
        const std::lock_guard lock(m_mutex);
        old = std::move(m_song);
    }
    // The song is freed here, outside the lock, so the audio thread is not held up by it.
}

bool MusicPlayer::isPlaying() const
{
    const std::lock_guard lock(m_mutex);
    return m_song != nullptr;
}

void MusicPlayer::render(std::span<std::int16_t> interleaved) noexcept
{
    std::ranges::fill(interleaved, std::int16_t{0});
    {
        const std::lock_guard lock(m_mutex);
        if (!m_song)
            return;
        try {
            m_song->module.read_interleaved_stereo(kSampleRate, interleaved.size() / kChannels, interleaved.data());
        } catch (...) {
            // A song that fails to render is heard as silence; the next play starts afresh.
            std::ranges::fill(interleaved, std::int16_t{0});
            return;
        }
    }
    const unsigned volume = m_volume;
    if (volume == kMaxVolume)
        return;
    // Linear in amplitude, rounded to the nearest sample value; 0 gives exact silence.
    for (std::int16_t& sample : interleaved) {
        const int scaled = sample * static_cast<int>(volume);
        const int half = static_cast<int>(kMaxVolume) / 2;
        sample = static_cast<std::int16_t>((scaled + (scaled < 0 ? -half : half)) / static_cast<int>(kMaxVolume));
    }
}

} // namespace platform
