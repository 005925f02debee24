#pragma once
// A song as the music player holds it, for the platform layer's music code alone.

#include "platform/music_player.h"

#include <libopenmpt/libopenmpt.hpp>

#include <sstream>

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

} // namespace platform
