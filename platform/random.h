#pragma once
// The program's pseudo-random generator: single-precision numbers in [0, 1), re-seeded from the
// clock.

#include <cstdint>

namespace platform {

/// The next number of the generator, in [0, 1).
float Rnd();

/// Re-seeds the generator from the clock. The time is mixed into the generator's state rather than
/// replacing it, so two re-seeds within one reading of the clock still give different numbers.
void Randomize();

/// Re-seeds the generator from `seed` alone: the same seed gives the same numbers again.
void Randomize(std::uint64_t seed);

} // namespace platform
