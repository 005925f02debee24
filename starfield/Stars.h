#pragma once
// The star field's data: the star record, the star array and the module's state. They live as long
// as the program; every field starts at zero.

#include <array>
#include <cstddef>
#include <cstdint>

namespace starfield {

/// One star. Distances are in pixels of the surface, angles in radians.
struct Star {
    float Dist;      ///< current distance from the centre; multiplied by Speed every frame
    float Theta;     ///< direction of the star's ray; grows by SpinStep every frame
    float Speed;     ///< factor applied to Dist every frame; grows by SpeedGrowth every frame
    float Red;       ///< base colour components, in [0, 1)
    float Green;
    float Blue;
    float StartDist; ///< Dist at the last reset: brightness grows with the way travelled since
    std::int32_t PlotX; ///< the pixel at which the star was last plotted, erased by the next frame
    std::int32_t PlotY;
};

/// The fixed array of stars. Every access checks its index; one outside 0 to 9999 throws
/// std::out_of_range and touches no record.
class StarArray {
public:
    static constexpr std::int32_t kSize = 10000;

    Star& operator()(std::int32_t Index) { return m_stars[checkedIndex(Index)]; }
    const Star& operator()(std::int32_t Index) const { return m_stars[checkedIndex(Index)]; }

private:
    static std::size_t checkedIndex(std::int32_t Index)
    {
        if (Index < 0 || Index >= kSize)
            throwOutOfRange(Index);
        return static_cast<std::size_t>(Index);
    }
    [[noreturn]] static void throwOutOfRange(std::int32_t Index);

    std::array<Star, kSize> m_stars{};
};

inline StarArray Stars;

/// Centre of the star field, in surface pixels.
inline std::int32_t CenterX = 0;
inline std::int32_t CenterY = 0;
/// A star whose Dist becomes greater than this is reset.
inline std::int32_t MaxDist = 0;
/// Number of stars moved and plotted each frame, from index 0.
inline std::int32_t StarCount = 0;
/// Tick count at the start of the current frame.
inline std::int32_t FrameStart = 0;
/// Brightness steps per pixel travelled since the last reset.
inline float ColorScale = 0;
/// Radians added to every star's Theta each frame.
inline float SpinStep = 0;
/// Factor applied to every star's Speed each frame.
inline float SpeedGrowth = 0;

} // namespace starfield
