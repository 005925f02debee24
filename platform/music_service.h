#pragma once
// The music service behind uFMOD_SetVolume and uFMOD_PlaySong: a player, the sound card it plays
// on, and a music thread of its own that loads each song and opens the card, so that neither
// holds up the window: loading takes milliseconds, and looking for a card that is not there can
// take a tenth of a second.

#include "platform/audio_output.h"
#include "platform/music_player.h"
#include "platform/resources.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <thread>

namespace platform {

/// The program file whose resources hold a song, as the player's callers name it: null (0) is this
/// program. There is no other.
using ModuleHandle = const void*;

/// How a song is to be played, as the player's flag bits. 0, the program's one way: from the
/// resources of the module named, looping at its end, started at once.
struct PlayFlags {
    constexpr PlayFlags(std::uint32_t bits)
        : bits(bits)
    {
    }
    std::uint32_t bits;
};

class MusicService {
public:
    MusicService();
    ~MusicService();
    MusicService(const MusicService&) = delete;
    MusicService& operator=(const MusicService&) = delete;

    void setVolume(unsigned volume) { m_player.setVolume(volume); }

    /// Stops what plays and returns at once; the music thread then loads `song`, the module's
    /// resource of type RCDATA, and plays it, opening the sound card the first time. False when
    /// nothing will play: no such resource, not a whole XM module, flags other than 0 or another
    /// module. A sound card that will not open leaves the music stopped and is tried again at the
    /// next play; the first failure is told on the standard error in one line.
    bool playSong(ResourceId song, ModuleHandle module, PlayFlags flags);

    /// Waits until the music thread has carried out every play asked for so far.
    void waitUntilSettled();

    bool isPlaying() const { return m_player.isPlaying(); }

private:
    void runMusicThread(std::stop_token stop);
    bool hasOutput();

    // The output is declared after the player so that it closes, and stops calling into the
    // player, first; the thread is declared last so that it ends before anything else goes.
    MusicPlayer m_player;
    std::optional<AudioOutput> m_output; ///< the music thread's alone
    bool m_toldNoSound = false;          ///< likewise

    std::mutex m_mutex; ///< guards what follows, and orders stopping against starting
    std::condition_variable_any m_changed;
    std::optional<std::span<const std::uint8_t>> m_wanted; ///< the song to load next
    std::uint64_t m_plays = 0; ///< plays asked for so far: a load for an older one is dropped
    bool m_loading = false;
    std::jthread m_thread;
};

} // namespace platform
