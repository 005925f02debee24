#pragma once
// The author logo over the stars: what the frame loop keeps for it, and the step that draws it.

#include "imaging/Bitmap.h"
#include "platform/forms.h"

#include <memory>

namespace starfield {

/// The holder of the logo image: made, empty, in the first frame, and kept for the loop's life.
inline std::shared_ptr<imaging::Bitmap> Logo;
/// Drawn anew in every frame. The logo's visible pixels are all white, which the opacity leaves
/// alone, so the logo looks the same in every frame whatever is drawn.
inline float LogoOpacity = 0;

/// Re-seeds the random numbers, draws the opacity, loads the logo in a frame whose second draw
/// is 0.5 or less (the first such frame decodes it; later ones keep it) and draws it centred on
/// the surface over whatever the surface holds.
void LogoStep(platform::Picture& Picture1);

} // namespace starfield
