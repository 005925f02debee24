#pragma once
// The star field: 400 points of light that fly out from the centre of the window's surface and are
// born again near it, and the frame loop that moves them, which is the program's main loop.

#include "platform/forms.h"
#include "platform/message_queue.h"

#include <cstdint>

namespace starfield {

/// The window the star field runs on: the form it shows, the surface it draws on, and the message
/// queue of the window system, which it serves between frames.
struct StarfieldWindow {
    platform::Form& Form1;
    platform::Picture& Picture1;
    platform::MessageQueue& messages;
};

/// Shows the form, makes the stars and runs the frame loop for as long as the program runs.
[[noreturn]] void StartStarfield(StarfieldWindow window);

/// The part of StartStarfield before the frame loop: shows the form, handles the messages that
/// showing it left, re-seeds the random numbers, measures the surface, sets the module state and
/// makes StarCount stars with random speeds.
void SetUpStarfield(StarfieldWindow window);

/// Gives star `Index` a new random colour, direction and start distance, and a Speed of 1, or near
/// 1 when `RandomSpeed` is true. PlotX and PlotY stay as they are.
void ResetStar(std::int32_t Index, bool RandomSpeed);

/// The frame loop: frames one after another until the process ends from inside the wait.
[[noreturn]] void RunStarfield(StarfieldWindow window);

/// One frame: its drawing, then its wait.
void RunFrame(StarfieldWindow window);

/// The drawing of one frame: takes FrameStart, erases, moves and plots every star, runs the logo
/// step and refreshes the surface.
void DrawFrame(StarfieldWindow window);

/// Erases star `i` where it was plotted, moves it (resetting it once it is past MaxDist) and plots
/// it where it now is, as bright as the way it has come since its reset.
void StarStep(std::int32_t i, platform::Picture& Picture1);

/// The end of a frame: handles the window's messages at least once, then goes on handling them
/// until the tick count is more than 5 past FrameStart, sleeping while none comes.
void FrameWait(platform::MessageQueue& messages);

} // namespace starfield
