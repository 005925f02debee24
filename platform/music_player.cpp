#include "platform/music_player.h"

#include "platform/music_song_p.h"
#include "platform/xm_module.h"

#include <algorithm>
#include <utility>

namespace platform {

MusicPlayer::MusicPlayer() = default;

MusicPlayer::~MusicPlayer() = default;

void MusicPlayer::setVolume(unsigned volume)
{
    m_volume = std::min(volume, kMaxVolume);
}

MusicPlayer::LoadedSong MusicPlayer::load(std::span<const std::uint8_t> module)
{
    if (!isWholeXmModule(module))
        return nullptr;
    try {
        return std::make_unique<Song>(module);
    } catch (const std::exception&) {
        return nullptr;
    }
}

void MusicPlayer::start(LoadedSong song)
{
    {
        const std::lock_guard lock(m_mutex);
        std::swap(m_song, song);
    }
    // The old song is freed here, outside the lock, so the audio thread is not held up by it.
}

bool MusicPlayer::play(std::span<const std::uint8_t> module)
{
    stop();
    // Loading takes a while: the audio thread plays silence meanwhile instead of waiting.
    LoadedSong song = load(module);
    if (!song)
        return false;
    start(std::move(song));
    return true;
}

void MusicPlayer::stop()
{
    start(nullptr);
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
