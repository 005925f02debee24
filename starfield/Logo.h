#pragma once
// The author logo over the stars: what the frame loop keeps for it, and the step that draws it.

#include "imaging/Bitmap.h"
#include "platform/forms.h"

#include <memory>

namespace starfield {

/// The holder of the logo image: made, empty, in the first frame, and kept for the loop's life.
inline std::shared_ptr<imaging::Bitmap> Logo;
/// Drawn anew in every frame; the logo's pixels are all grey (white), so it never shows.
inline float LogoOpacity = 0;

/// Re-seeds the random numbers, draws the opacity, loads the logo in about half of the frames
/// and draws it centred on the surface over whatever the surface holds.
void LogoStep(platform::Picture& Picture1);

} // namespace starfield
