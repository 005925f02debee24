#pragma once
// The music service behind uFMOD_SetVolume and uFMOD_PlaySong: a player and the sound card it
// plays on, opened at the first play and kept open from then on.

#include "platform/audio_output.h"
#include "platform/music_player.h"
#include "platform/resources.h"

#include <cstdint>
#include <optional>

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
    void setVolume(unsigned volume) { m_player.setVolume(volume); }

    /// Stops what plays, then plays `song`, the module's resource of type RCDATA, opening the
    /// sound card the first time. False when nothing plays afterwards: no such resource, a module
    /// that will not load, flags other than 0, or no sound card (the next play tries the card
    /// again; the first failure is told on the standard error in one line).
    bool playSong(ResourceId song, ModuleHandle module, PlayFlags flags);

    bool isPlaying() const { return m_player.isPlaying(); }

private:
    bool hasOutput();

    // The output is declared last so that it closes, and stops calling into the player, first.
    MusicPlayer m_player;
    std::optional<AudioOutput> m_output;
    bool m_toldNoSound = false;
};

} // namespace platform
