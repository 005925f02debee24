#pragma once
// The music player's engine: one song at a time, rendered on demand as 16-bit stereo PCM at
// 48000 frames a second, at the player's volume. The audio output pulls from render() on its own
// thread while the program sets the volume and plays songs from its other threads.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

namespace platform {

class MusicPlayer {
public:
    static constexpr int kSampleRate = 48000;
    static constexpr int kChannels = 2;
    /// The volume scale: 0 is silence, 25 the song as it was written; larger values count as 25.
    static constexpr unsigned kMaxVolume = 25;

    MusicPlayer();
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    /// Gain in proportion to the volume; it holds for the song playing and every later one.
    void setVolume(unsigned volume);

    /// A song loaded and ready to start. Loading takes milliseconds; starting takes none.
    struct Song;
    using LoadedSong = std::unique_ptr<Song>;

    /// Loads `module`, an XM module, to play from its beginning, looping for ever back to its
    /// restart position. Null when it will not load. Safe on any thread; the bytes may go away
    /// once this returns.
    static LoadedSong load(std::span<const std::uint8_t> module);

    /// Stops what plays and plays `song` instead.
    void start(LoadedSong song);

    /// Stops what plays, then loads `module` and starts it. False, and the music stays stopped,
    /// when it will not load.
    bool play(std::span<const std::uint8_t> module);

    void stop();
    bool isPlaying() const;

    /// Fills interleaved left/right samples with what plays next: silence when nothing does.
    /// Called from the audio thread; never throws.
    void render(std::span<std::int16_t> interleaved) noexcept;

private:
    std::atomic<unsigned> m_volume{kMaxVolume};
    mutable std::mutex m_mutex; ///< guards m_song between play/stop and render
    LoadedSong m_song;
};

} // namespace platform
