#include "starfield/Starfield.h"

#include "platform/gdi.h"
#include "platform/rounding.h"
#include "starfield/Logo.h"
#include "starfield/Stars.h"

#include <cmath>

namespace starfield {
namespace {

constexpr platform::COLORREF kEraseColour = 0; // black
// A frame ends at the first tick more than this past FrameStart.
constexpr std::uint32_t kFrameTicks = 5;

std::int32_t clampComponent(std::int32_t component)
{
    if (component < 0)
        component = 0;
    if (component > 255)
        component = 255;
    return component;
}

} // namespace

void RunStarfield(StarfieldWindow window)
{
    for (;;)
        RunFrame(window);
}

void RunFrame(StarfieldWindow window)
{
    DrawFrame(window);
    FrameWait(window.messages);
}

void DrawFrame(StarfieldWindow window)
{
    // The count wraps; FrameStart holds its 32 bits as they are.
    FrameStart = static_cast<std::int32_t>(window.messages.GetTickCount());
    const std::int32_t count = StarCount;
    for (std::int32_t i = 0; i < count; ++i)
        StarStep(i, window.Picture1);
    LogoStep(window.Picture1);
    window.Picture1.Refresh();
}

void StarStep(std::int32_t i, platform::Picture& Picture1)
{
    Star& star = Stars(i);
    platform::SetPixelV(Picture1.hDC(), star.PlotX, star.PlotY, kEraseColour);

    const float d = static_cast<float>(static_cast<double>(star.Dist) * star.Speed);
    star.Dist = d;
    star.Speed = static_cast<float>(static_cast<double>(SpeedGrowth) * star.Speed);
    star.Theta = static_cast<float>(static_cast<double>(SpinStep) + star.Theta);
    // A star exactly at MaxDist stays; one past it starts again and is plotted there at once.
    if (static_cast<double>(d) > MaxDist)
        ResetStar(i, false);

    const std::int32_t L = platform::roundToInt32((static_cast<double>(star.Dist) - star.StartDist) * ColorScale);
    const std::int32_t R = clampComponent(platform::roundToInt32(static_cast<double>(star.Red) + L));
    const std::int32_t G = clampComponent(platform::roundToInt32(static_cast<double>(star.Green) + L));
    const std::int32_t B = clampComponent(platform::roundToInt32(static_cast<double>(star.Blue) + L));

    const double theta = star.Theta;
    star.PlotX = platform::roundToInt32(star.Dist * std::cos(theta) + CenterX);
    star.PlotY = platform::roundToInt32(star.Dist * std::sin(theta) + CenterY);
    platform::SetPixelV(Picture1.hDC(), star.PlotX, star.PlotY,
                        static_cast<platform::COLORREF>(R + 256 * G + 65536 * B));
}

void FrameWait(platform::MessageQueue& messages)
{
    const auto frameStart = static_cast<std::uint32_t>(FrameStart);
    for (;;) {
        messages.DoEvents();
        // Elapsed time modulo 2^32: neither the tick count passing 2^31 nor its wrap to 0 ends
        // or stalls the animation.
        if (messages.GetTickCount() - frameStart > kFrameTicks)
            return;
        messages.waitForMessage(frameStart + kFrameTicks + 1);
    }
}

} // namespace starfield
