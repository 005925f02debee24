#pragma once
// The module's sound sources: one-cycle 8-bit chip waveforms and the drum samples. All of them are
// made with plain arithmetic (no maths library), so every machine writes the same bytes.

#include <cstdint>
#include <vector>

namespace musicgen {

using Wave = std::vector<std::int8_t>;

/// One cycle of 32 samples of a pulse wave whose high part lasts `highSamples` of them, with no
/// direct-current offset, so that starting and stopping it does not thump.
Wave pulseWave(int highSamples);

/// One cycle of 32 samples of a triangle in 16 steps, as a chip's triangle channel has.
Wave triangleWave();

/// `length` samples of 1-bit noise from a 15-bit linear-feedback shift register.
Wave noise(int length, int amplitude);

/// A kick drum for playback at 8363 samples per second: a sine whose pitch falls from about
/// 190 Hz to 45 Hz, starting at zero and fading out to zero.
Wave kickDrum();

/// A snare drum for playback at 16726 samples per second: a short 190 Hz body under noise,
/// both fading out to zero.
Wave snareDrum();

} // namespace musicgen
