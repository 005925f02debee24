#pragma once
// Floating-point values become integers the one way the program knows: to the nearest, halves to
// even (46.5 gives 46, 47.5 gives 48), as a 32-bit signed integer.

#include <cmath>
#include <cstdint>

namespace platform {

/// `value` rounded to the nearest integer, halves to even. Relies on the default rounding mode,
/// which nothing in the program changes. `value` must lie within the range of the result.
inline std::int32_t roundToInt32(double value)
{
    return static_cast<std::int32_t>(std::lrint(value));
}

} // namespace platform
