#pragma once
// The sound card, through SDL's audio subsystem: 16-bit stereo at 48000 frames a second, pulled
// from a music player on SDL's own audio thread for as long as the output is open.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class MusicPlayer;

class AudioOutput {
public:
    /// Frames the audio thread asks the player for at a time (about 21 ms).
    static constexpr int kFramesPerBuffer = 1024;

    /// Opens the default output and starts pulling from `player`, which must outlive the output.
    /// Nothing when there is no sound device; `whyNot` then holds SDL's reason.
    static std::optional<AudioOutput> open(MusicPlayer& player, std::string& whyNot);

    AudioOutput(AudioOutput&& other) noexcept;
    AudioOutput& operator=(AudioOutput&& other) noexcept;
    /// Closes the output once the audio thread's last call into the player has returned.
    ~AudioOutput();

private:
    explicit AudioOutput(std::uint32_t device);
    void close() noexcept;

    std::uint32_t m_device = 0; ///< 0 once moved from
};

} // namespace platform
